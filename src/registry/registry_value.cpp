#include "registry/registry_value.h"

#include "core/placement.h"
#include "registry/regdata_logic.h"

namespace bw {

std::wstring GetRegString(Platform& os, HKEY root, const std::wstring& keyPath, const std::wstring& name) {
    return FindRegString(os, root, keyPath, name).value_or(L"");
}

std::optional<std::wstring> FindRegString(Platform& os, HKEY root, const std::wstring& keyPath,
                                          const std::wstring& name) {
    RegData data;
    if (os.RegRead(root, keyPath, name, data, MachineRegistryView(os)) != ERROR_SUCCESS)
        return std::nullopt;
    return DecodeRegString(data.type, data.bytes);
}

long SetRegString(Platform& os, HKEY root, const std::wstring& keyPath, const std::wstring& name,
                  const std::wstring& value) {
    return os.RegWriteString(root, keyPath, name, value.empty() ? std::wstring(L" ") : value, MachineRegistryView(os));
}

} // namespace bw
