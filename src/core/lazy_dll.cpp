#include "core/lazy_dll.h"

#include "core/unique_handle.h"

#include <ole2.h>

#include <iterator>
#include <string>

namespace bw {

namespace {

constexpr const wchar_t* kDllNames[] = {L"comdlg32.dll", L"shell32.dll", L"ole32.dll", L"user32.dll"};

// Freed when the process ends, after the entry function has ended OLE.
UniqueModule g_modules[std::size(kDllNames)];
bool g_loadTried[std::size(kDllNames)] = {};

enum class OleState { NotTried, Started, Failed };
OleState g_ole = OleState::NotTried;

HMODULE Module(SystemDll dll) {
    const auto i = static_cast<std::size_t>(dll);
    if (!g_loadTried[i]) {
        g_loadTried[i] = true;
        // By full path: never a DLL of that name beside the program or in the current directory.
        wchar_t directory[MAX_PATH];
        const UINT n = GetSystemDirectoryW(directory, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            return nullptr;
        const std::wstring path = std::wstring(directory, n) + L"\\" + kDllNames[i];
        g_modules[i].reset(LoadLibraryW(path.c_str()));
    }
    return g_modules[i].get();
}

} // namespace

FARPROC SystemFunctionAddress(SystemDll dll, const char* name) {
    HMODULE module = Module(dll);
    return module ? GetProcAddress(module, name) : nullptr;
}

FARPROC LoadedFunctionAddress(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    return module ? GetProcAddress(module, name) : nullptr;
}

bool EnsureOle() {
    if (g_ole == OleState::NotTried) {
        auto initialize = SystemFunction<decltype(OleInitialize)>(SystemDll::ole32, "OleInitialize");
        g_ole = initialize && SUCCEEDED(initialize(nullptr)) ? OleState::Started : OleState::Failed;
    }
    return g_ole == OleState::Started;
}

OleOnDemand::~OleOnDemand() {
    if (g_ole != OleState::Started)
        return;
    if (auto uninitialize = SystemFunction<decltype(OleUninitialize)>(SystemDll::ole32, "OleUninitialize"))
        uninitialize();
    g_ole = OleState::NotTried;
}

} // namespace bw
