#pragma once
// Helpers for tests that run against the real Windows (Wine) system: files, registry, windows.
#include "core/unique_handle.h"

#include <optional>
#include <string>

namespace bw::test {

std::wstring SystemDir();   // e.g. C:\windows\system32
std::wstring TempDir();     // ends with a backslash
std::wstring ProgramDir();  // the folder of the running test executable, with a trailing backslash

std::optional<std::string> ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
void RemoveFile(const std::wstring& path); // clears attributes first; missing is fine

// Wide text to the system code page, independently of the program's own conversion.
std::string Ansi(const std::wstring& text);

// Lets pending messages of this thread run.
void Drain();

// Keeps a file as it was before the test and puts it back afterwards.
class FileGuard {
public:
    explicit FileGuard(std::wstring path);
    ~FileGuard();
    FileGuard(const FileGuard&) = delete;
    FileGuard& operator=(const FileGuard&) = delete;

private:
    std::wstring m_path;
    std::optional<std::string> m_saved;
    DWORD m_attributes = INVALID_FILE_ATTRIBUTES;
};

} // namespace bw::test
