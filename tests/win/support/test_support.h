#pragma once
// Helpers for tests that run against the real Windows (Wine) system: files, registry, windows. They use the
// system directly, never the program's own code.
#include "core/unique_handle.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace bw::test {

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

inline std::optional<std::string> ReadBytes(const std::wstring& path) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return std::nullopt;
    std::string bytes;
    char chunk[4096];
    for (DWORD got = 0; ::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0;)
        bytes.append(chunk, got);
    return bytes;
}
inline void RemoveFile(const std::wstring& path) { // clears attributes first; missing is fine
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
}
inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    RemoveFile(path);
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                written == bytes.size()) << "cannot write the test file";
}

// Wide text in the system code page.
inline std::string Ansi(const std::wstring& text) {
    std::string out(text.size() * 2, '\0');
    out.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                            out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

// Lets pending messages of this thread run.
inline void Drain() {
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
        TranslateMessage(&msg), DispatchMessageW(&msg);
}

// Keeps a file as it was before the test and puts it back afterwards.
class FileGuard {
public:
    explicit FileGuard(std::wstring path) : m_path(std::move(path)), m_attributes(GetFileAttributesW(m_path.c_str())) {
        if (m_attributes != INVALID_FILE_ATTRIBUTES)
            m_saved = ReadBytes(m_path);
    }
    ~FileGuard() {
        RemoveFile(m_path);
        RemoveFile(m_path + L".new");
        if (m_saved) {
            WriteBytes(m_path, *m_saved);
            SetFileAttributesW(m_path.c_str(), m_attributes);
        }
    }
    FileGuard(const FileGuard&) = delete;
    FileGuard& operator=(const FileGuard&) = delete;

private:
    std::wstring m_path;
    DWORD m_attributes;
    std::optional<std::string> m_saved;
};

} // namespace bw::test
