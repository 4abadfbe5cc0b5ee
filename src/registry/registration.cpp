#include "registry/registration.h"

#include "registry/mReg.h"
#include "sysinfo/mSysInfo.h"

namespace bw {

std::wstring RegistrationKey(Platform& os) { return IsWindowsNT(os) ? kNtVersionKey : kWindowsVersionKey; }

Registration ReadRegistration(Platform& os) {
    const std::wstring key = RegistrationKey(os);
    Registration r;
    r.owner = GetRegString(os, HKEY_LOCAL_MACHINE, key, L"RegisteredOwner");
    r.organization = GetRegString(os, HKEY_LOCAL_MACHINE, key, L"RegisteredOrganization");
    r.productId = GetRegString(os, HKEY_LOCAL_MACHINE, key, L"ProductId");
    return r;
}

RegistrationFailures WriteRegistration(Platform& os, const Registration& values) {
    const std::wstring key = RegistrationKey(os);
    RegistrationFailures failed;
    failed.owner = !SetRegString(os, HKEY_LOCAL_MACHINE, key, L"RegisteredOwner", values.owner);
    failed.organization = !SetRegString(os, HKEY_LOCAL_MACHINE, key, L"RegisteredOrganization", values.organization);
    failed.productId = !SetRegString(os, HKEY_LOCAL_MACHINE, key, L"ProductId", values.productId);
    return failed;
}

} // namespace bw
