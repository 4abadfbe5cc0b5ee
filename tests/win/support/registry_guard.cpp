#include "registry_guard.h"

#include "core/unique_handle.h"

#include <gtest/gtest.h>

namespace bw::test {

RegistryValueGuard::RegistryValueGuard(std::wstring keyPath, std::vector<std::wstring> names)
    : m_keyPath(std::move(keyPath)) {
    UniqueHKey key;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, m_keyPath.c_str(), 0, KEY_QUERY_VALUE, key.put());
    for (auto& name : names) {
        Saved s;
        s.name = name;
        DWORD size = 0;
        if (key && RegQueryValueExW(key.get(), name.c_str(), nullptr, &s.type, nullptr, &size) == ERROR_SUCCESS) {
            s.data.resize(size);
            s.present = RegQueryValueExW(key.get(), name.c_str(), nullptr, &s.type, s.data.data(), &size) ==
                        ERROR_SUCCESS;
            s.data.resize(size);
        }
        m_saved.push_back(std::move(s));
    }
}

RegistryValueGuard::~RegistryValueGuard() {
    UniqueHKey key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
        return;
    for (const auto& s : m_saved) {
        if (s.present)
            RegSetValueExW(key.get(), s.name.c_str(), 0, s.type, s.data.data(), static_cast<DWORD>(s.data.size()));
        else
            RegDeleteValueW(key.get(), s.name.c_str());
    }
}

void SetRaw(const std::wstring& keyPath, const std::wstring& name, DWORD type, const void* data, DWORD size) {
    UniqueHKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
}

void SetText(const std::wstring& keyPath, const std::wstring& name, const std::wstring& text) {
    SetRaw(keyPath, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void DeleteValue(const std::wstring& keyPath, const std::wstring& name) {
    UniqueHKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS)
        RegDeleteValueW(key.get(), name.c_str());
}

bool ReadText(const std::wstring& keyPath, const std::wstring& name, std::wstring& text, DWORD& type) {
    UniqueHKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS)
        return false;
    buffer.resize(size / sizeof(wchar_t));
    if (!buffer.empty() && buffer.back() == L'\0')
        buffer.pop_back();
    text = buffer;
    return true;
}

} // namespace bw::test
