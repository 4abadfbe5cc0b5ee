#include "registry_guard.h"

#include "core/unique_handle.h"

#include <gtest/gtest.h>

namespace bw::test {

namespace {
// The raw value, or false when there is none.
bool Query(const std::wstring& keyPath, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, keyPath.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                     &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    return RegGetValueW(HKEY_LOCAL_MACHINE, keyPath.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                        data.data(), &size) == ERROR_SUCCESS;
}
} // namespace

RegistryValueGuard::RegistryValueGuard(std::wstring keyPath, std::vector<std::wstring> names)
    : m_keyPath(std::move(keyPath)) {
    for (auto& name : names) {
        Saved s;
        s.name = name;
        s.present = Query(m_keyPath, name, s.type, s.data);
        m_saved.push_back(std::move(s));
    }
}

RegistryValueGuard::~RegistryValueGuard() {
    for (const auto& s : m_saved) {
        if (s.present)
            RegSetKeyValueW(HKEY_LOCAL_MACHINE, m_keyPath.c_str(), s.name.c_str(), s.type, s.data.data(),
                            static_cast<DWORD>(s.data.size()));
        else
            DeleteValue(m_keyPath, s.name);
    }
}

void SetRaw(const std::wstring& keyPath, const std::wstring& name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, keyPath.c_str(), name.c_str(), type, data, size), ERROR_SUCCESS);
}

void SetText(const std::wstring& keyPath, const std::wstring& name, const std::wstring& text) {
    SetRaw(keyPath, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void DeleteValue(const std::wstring& keyPath, const std::wstring& name) {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, keyPath.c_str(), name.c_str());
}

bool ReadText(const std::wstring& keyPath, const std::wstring& name, std::wstring& text, DWORD& type) {
    std::vector<BYTE> data;
    if (!Query(keyPath, name, type, data))
        return false;
    text.assign(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return true;
}

} // namespace bw::test
