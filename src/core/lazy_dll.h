#pragma once
// System DLLs that start-up does not need (common dialogs, shell, OLE), loaded at their first use so that a
// start without a logo maps none of them; and functions of later Windows, which an import would keep the
// program from starting on XP.
#include <windows.h>

namespace bw {

enum class SystemDll { comdlg32, shell32, ole32, user32 };

// The function `name` of the DLL, loaded once from the system directory and kept to the end of the process;
// null when either cannot be found.
FARPROC SystemFunctionAddress(SystemDll dll, const char* name);

template <typename Function>
Function* SystemFunction(SystemDll dll, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(SystemFunctionAddress(dll, name)));
}

// A function of a system DLL that every process of the systems offering it has mapped from its start (kernel32, and
// ntdll on NT): looked up, never loaded, so that it may be asked for while the file-system redirector is off, under
// which a load would take the DLL of the other architecture. Null when either is absent.
FARPROC LoadedFunctionAddress(const wchar_t* dll, const char* name);

template <typename Function>
Function* LoadedFunction(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(LoadedFunctionAddress(dll, name)));
}

// Initialises OLE on this thread at the first call; later calls only say whether that worked. Call it on the
// user-interface thread before anything that needs OLE (the open-file dialog).
bool EnsureOle();

// Ends OLE at the end of the scope if EnsureOle started it meanwhile. One, in the entry function.
class OleOnDemand {
public:
    OleOnDemand() = default;
    OleOnDemand(const OleOnDemand&) = delete;
    OleOnDemand& operator=(const OleOnDemand&) = delete;
    ~OleOnDemand();
};

} // namespace bw
