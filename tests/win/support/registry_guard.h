#pragma once
// Keeps registry values of the local machine as they were before a test and puts them back afterwards.
#include <windows.h>

#include <string>
#include <vector>

namespace bw::test {

class RegistryValueGuard {
public:
    RegistryValueGuard(std::wstring keyPath, std::vector<std::wstring> names);
    ~RegistryValueGuard();
    RegistryValueGuard(const RegistryValueGuard&) = delete;
    RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

private:
    struct Saved {
        std::wstring name;
        bool present = false;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    std::wstring m_keyPath;
    std::vector<Saved> m_saved;
};

// Direct registry access for preparing and checking tests, independent of the program's own code.
void SetRaw(const std::wstring& keyPath, const std::wstring& name, DWORD type, const void* data, DWORD size);
void SetText(const std::wstring& keyPath, const std::wstring& name, const std::wstring& text);
void DeleteValue(const std::wstring& keyPath, const std::wstring& name);
bool ReadText(const std::wstring& keyPath, const std::wstring& name, std::wstring& text, DWORD& type);

} // namespace bw::test
