#include "registry/registration.h"

#include "registry/registry_value.h"
#include "sysinfo/system_name.h"

namespace bw {

std::wstring RegistrationKey(Platform& os) {
    return IsWindowsNT(os) ? kNtVersionKey : kWindowsVersionKey;
}

RegistrationReading ReadRegistration(Platform& os) {
    const std::wstring key = RegistrationKey(os);
    return {ReadRegText(os, HKEY_LOCAL_MACHINE, key, L"RegisteredOwner"),
            ReadRegText(os, HKEY_LOCAL_MACHINE, key, L"RegisteredOrganization"),
            ReadRegText(os, HKEY_LOCAL_MACHINE, key, L"ProductId")};
}

RegistrationFailures WriteRegistration(Platform& os, const RegistrationUpdate& values) {
    RegistrationFailures failed;
    if (!values.owner && !values.organization && !values.productId)
        return failed;
    const std::wstring key = RegistrationKey(os);
    auto store = [&](const std::optional<std::wstring>& value, const wchar_t* name) {
        const long error = value ? SetRegString(os, HKEY_LOCAL_MACHINE, key, name, *value) : 0;
        return error ? SaveResult(SaveFailure{PlatformOp::RegWrite, static_cast<std::uint32_t>(error)}) : std::nullopt;
    };
    failed.owner = store(values.owner, L"RegisteredOwner");
    failed.organization = store(values.organization, L"RegisteredOrganization");
    failed.productId = store(values.productId, L"ProductId");
    return failed;
}

} // namespace bw
