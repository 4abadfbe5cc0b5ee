#pragma once
// Direct registry access for preparing and checking tests, independent of the program's own code, and a guard
// that keeps values of the local machine as they were before a test.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bw::test {

inline void SetRaw(const std::wstring& keyPath, const std::wstring& name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, keyPath.c_str(), name.c_str(), type, data, size), ERROR_SUCCESS);
}
inline void SetText(const std::wstring& keyPath, const std::wstring& name, const std::wstring& text) {
    SetRaw(keyPath, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}
inline void DeleteValue(const std::wstring& keyPath, const std::wstring& name) {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, keyPath.c_str(), name.c_str());
}
// The raw value, or false when there is none.
inline bool Query(const std::wstring& keyPath, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) {
    DWORD size = 0;
    const DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, keyPath.c_str(), name.c_str(), flags, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    return RegGetValueW(HKEY_LOCAL_MACHINE, keyPath.c_str(), name.c_str(), flags, &type, data.data(), &size) == 0;
}
// The value as text without its terminating NUL, and its type.
inline bool ReadText(const std::wstring& keyPath, const std::wstring& name, std::wstring& text, DWORD& type) {
    std::vector<BYTE> data;
    if (!Query(keyPath, name, type, data))
        return false;
    text.assign(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return true;
}

class RegistryValueGuard {
public:
    RegistryValueGuard(std::wstring keyPath, std::vector<std::wstring> names) : m_keyPath(std::move(keyPath)) {
        for (auto& name : names) {
            m_saved.push_back({name, false, 0, {}});
            m_saved.back().present = Query(m_keyPath, name, m_saved.back().type, m_saved.back().data);
        }
    }
    ~RegistryValueGuard() {
        for (const auto& s : m_saved) {
            if (s.present)
                SetRaw(m_keyPath, s.name, s.type, s.data.data(), static_cast<DWORD>(s.data.size()));
            else
                DeleteValue(m_keyPath, s.name);
        }
    }
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

} // namespace bw::test
