#pragma once
// Helpers for tests that run against the real Windows (Wine) system: files, registry, windows. They use the
// system directly, never the program's own code, and guards put back what a test changed.
#include "core/unique_handle.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bw::test {

// The keys the program writes, as the tests name them, and their values that it may change. HelpCustomized: a value
// of the key the program does not know, which must stay.
inline const std::wstring kNt = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline const std::wstring kKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OEMInformation";
inline const std::vector<std::wstring> kNtNames{L"RegisteredOwner", L"RegisteredOrganization", L"ProductId"};
inline const std::vector<std::wstring> kKeyNames{L"Manufacturer",    L"Model",         L"Logo",
                                                 L"SupportPhone",    L"SupportHours",  L"SupportURL",
                                                 L"SupportProvider", L"HelpCustomized"};

inline std::wstring SystemDir() { // e.g. C:\windows\system32
    wchar_t buffer[MAX_PATH];
    return std::wstring(buffer, GetSystemDirectoryW(buffer, MAX_PATH));
}
inline std::wstring TempDir() { // ends with a backslash
    wchar_t buffer[MAX_PATH + 1];
    return std::wstring(buffer, GetTempPathW(MAX_PATH + 1, buffer));
}
inline std::wstring ProgramDir() { // the folder of the running test executable, with a trailing backslash
    wchar_t buffer[MAX_PATH];
    const std::wstring path(buffer, GetModuleFileNameW(nullptr, buffer, MAX_PATH));
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

// A 32-bit test under WOW64 checks what the system itself reads: a path into the system directory goes through
// the Sysnative alias, and registry keys are opened in the 64-bit view.
inline bool UnderWow64() {
    BOOL wow64 = FALSE;
    return sizeof(void*) == 4 && IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}
inline std::wstring Native(const std::wstring& path) {
    const std::wstring system = SystemDir();
    if (!UnderWow64() || CompareStringOrdinal(path.c_str(), static_cast<int>(std::min(path.size(), system.size())),
                                              system.c_str(), static_cast<int>(system.size()), TRUE) != CSTR_EQUAL)
        return path;
    return system.substr(0, system.rfind(L'\\')) + L"\\Sysnative" + path.substr(system.size());
}
inline constexpr REGSAM kView64 = KEY_WOW64_64KEY;

inline std::optional<std::string> ReadBytes(const std::wstring& where) {
    const std::wstring path = Native(where);
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return std::nullopt;
    std::string bytes;
    char chunk[4096];
    for (DWORD got = 0; ::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0;)
        bytes.append(chunk, got);
    return bytes;
}
inline void RemoveFile(const std::wstring& where) { // clears attributes first; missing is fine
    const std::wstring path = Native(where);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}
inline void WriteBytes(const std::wstring& where, const std::string& bytes) {
    RemoveFile(where);
    const std::wstring path = Native(where);
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                written == bytes.size())
        << "cannot write the test file";
}

// Wide text in the system code page.
inline std::string Ansi(const std::wstring& text) {
    std::string out(text.size() * 2, '\0');
    out.resize(
        static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                                     static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

// A program started with these arguments, in dir when one is given, with the standard handles si names (inherited);
// its process, and its id for finding its windows. No process, and a test failure, when it did not start.
struct Started {
    UniqueHandleNull process;
    DWORD id = 0;
};
inline Started StartProgram(const std::wstring& exe, const std::wstring& arguments, const wchar_t* dir = nullptr,
                            STARTUPINFOW si = {}) {
    si.cb = sizeof si;
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, dir, &si, &pi)) {
        ADD_FAILURE() << "the program did not start: error " << GetLastError();
        return {};
    }
    const UniqueHandleNull thread(pi.hThread);
    return {UniqueHandleNull(pi.hProcess), pi.dwProcessId};
}

// Lets pending messages of this thread run.
inline void Drain() {
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
        TranslateMessage(&msg), DispatchMessageW(&msg);
}

// The registry, reached directly: the local machine's in the 64-bit view unless told otherwise.
inline void SetRaw(const std::wstring& key, const std::wstring& name, DWORD type, const void* data, DWORD size,
                   REGSAM view = kView64, HKEY root = HKEY_LOCAL_MACHINE) {
    UniqueHKey k;
    ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, k.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(k.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}
inline void SetText(const std::wstring& key, const std::wstring& name, const std::wstring& text, REGSAM view = kView64,
                    HKEY root = HKEY_LOCAL_MACHINE) {
    SetRaw(key, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)), view, root);
}
inline void DeleteValue(const std::wstring& key, const std::wstring& name, REGSAM view = kView64,
                        HKEY root = HKEY_LOCAL_MACHINE) {
    UniqueHKey k;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE | view, k.put()) == ERROR_SUCCESS)
        RegDeleteValueW(k.get(), name.c_str());
}
struct RawValue {
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const RawValue&) const = default;
};
inline std::optional<RawValue> Query(const std::wstring& key, const std::wstring& name, REGSAM view = kView64,
                                     HKEY root = HKEY_LOCAL_MACHINE) {
    RawValue v;
    DWORD size = 0;
    const DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
    UniqueHKey k;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE | view, k.put()) != ERROR_SUCCESS ||
        RegGetValueW(k.get(), nullptr, name.c_str(), flags, &v.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    v.data.resize(size);
    return RegGetValueW(k.get(), nullptr, name.c_str(), flags, &v.type, v.data.data(), &size) ? std::nullopt
                                                                                              : std::optional(v);
}
// A string value without its terminating NUL; "<missing>", or "<type N>" when it is not a REG_SZ.
inline std::wstring RegText(const std::wstring& key, const std::wstring& name) {
    const auto v = Query(key, name);
    if (!v || v->type != REG_SZ)
        return v ? L"<type " + std::to_wstring(v->type) + L">" : L"<missing>";
    std::wstring text(reinterpret_cast<const wchar_t*>(v->data.data()), v->data.size() / sizeof(wchar_t));
    return text.ends_with(L'\0') ? text.substr(0, text.size() - 1) : text;
}

// Values of a key in the 64-bit view, each followed by "|".
inline std::wstring RegTexts(const std::wstring& key, const std::vector<std::wstring>& names) {
    std::wstring all;
    for (const auto& name : names)
        all += RegText(key, name) + L"|";
    return all;
}

// Keeps values of a key as they were before a test.
class RegistryValueGuard {
public:
    RegistryValueGuard(std::wstring key, const std::vector<std::wstring>& names, REGSAM view = kView64,
                       HKEY root = HKEY_LOCAL_MACHINE)
        : m_key(std::move(key)), m_view(view), m_root(root) {
        for (const auto& name : names)
            m_saved.emplace_back(name, Query(m_key, name, view, root));
    }
    ~RegistryValueGuard() {
        for (const auto& [name, v] : m_saved)
            v ? SetRaw(m_key, name, v->type, v->data.data(), static_cast<DWORD>(v->data.size()), m_view, m_root)
              : DeleteValue(m_key, name, m_view, m_root);
    }
    RegistryValueGuard(const RegistryValueGuard&) = delete;
    RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

private:
    std::wstring m_key;
    REGSAM m_view;
    HKEY m_root;
    std::vector<std::pair<std::wstring, std::optional<RawValue>>> m_saved;
};

// Keeps a file as it was before the test and puts it back afterwards.
class FileGuard {
public:
    explicit FileGuard(std::wstring path)
        : m_path(std::move(path)), m_attributes(GetFileAttributesW(Native(m_path).c_str())) {
        if (m_attributes != INVALID_FILE_ATTRIBUTES)
            m_saved = ReadBytes(m_path);
    }
    ~FileGuard() {
        RemoveFile(m_path);
        RemoveFile(m_path + L".new");
        if (m_saved) {
            WriteBytes(m_path, *m_saved);
            SetFileAttributesW(Native(m_path).c_str(), m_attributes);
        }
    }
    FileGuard(const FileGuard&) = delete;
    FileGuard& operator=(const FileGuard&) = delete;

private:
    std::wstring m_path;
    DWORD m_attributes;
    std::optional<std::string> m_saved;
};

// The program's files in the prefix, taken away before a test, and the values it may change; all put back as they
// were after it.
struct SystemPlaces {
    SystemPlaces() {
        for (const std::wstring* path : {&ini, &logo, &stagedIni, &stagedLogo})
            RemoveFile(*path);
    }
    const std::wstring ini = SystemDir() + L"\\oeminfo.ini", logo = SystemDir() + L"\\oemlogo.bmp";
    const std::wstring stagedIni = TempDir() + L"oeminfo.tmp", stagedLogo = TempDir() + L"oemlogo.tmp";
    FileGuard g1{ini}, g2{logo}, g3{stagedIni}, g4{stagedLogo};
    RegistryValueGuard ntGuard{kNt, kNtNames}, keyGuard{kKey, kKeyNames};
};

} // namespace bw::test
