#include "registry/registry_value.h"

#include "core/placement.h"
#include "registry/regdata_logic.h"

namespace bw {

std::wstring GetRegString(Platform& os, HKEY root, const std::wstring& keyPath, const std::wstring& name) {
    return ReadRegText(os, root, keyPath, name).text.value_or(L"");
}

RegText ReadRegText(Platform& os, HKEY root, const std::wstring& keyPath, const std::wstring& name) {
    RegData data;
    if (const long error = os.RegRead(root, keyPath, name, data, MachineRegistryView(os)))
        return {std::nullopt, error};
    if (data.type != REG_SZ && data.type != REG_EXPAND_SZ && data.type != REG_DWORD)
        return {std::nullopt, ERROR_UNSUPPORTED_TYPE};
    return {DecodeRegString(data.type, data.bytes), 0};
}

long SetRegString(Platform& os, HKEY root, const std::wstring& keyPath, const std::wstring& name,
                  const std::wstring& value) {
    return os.RegWriteString(root, keyPath, name, value.empty() ? std::wstring(L" ") : value, MachineRegistryView(os));
}

} // namespace bw
