#pragma once
// The registered owner, organization and product ID of the machine.
#include "core/platform.h"
#include "registry/registry_value.h"

#include <optional>
#include <string>

namespace bw {

inline constexpr wchar_t kNtVersionKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr wchar_t kWindowsVersionKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// Why each of the three values could not be stored; all absent when they were.
struct RegistrationFailures {
    SaveResult owner, organization, productId;
};

// The key of the running platform family, asked afresh on every call.
std::wstring RegistrationKey(Platform& os);

// What to store; an absent value is left as it is.
struct RegistrationUpdate {
    std::optional<std::wstring> owner, organization, productId;
};

// The values the key holds as read, each with its cause where it has none.
struct RegistrationReading {
    RegText owner, organization, productId;
};
RegistrationReading ReadRegistration(Platform& os);

// Writes every value given, also after one of them failed.
RegistrationFailures WriteRegistration(Platform& os, const RegistrationUpdate& values);

} // namespace bw
