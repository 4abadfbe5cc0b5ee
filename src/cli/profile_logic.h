#pragma once
// The deployment profile: an INI text naming what to set on a PC, read by /apply and written by /export.
// Text here is UTF-16 code units, one to a wchar_t, on every platform.
#include "engine/rules_logic.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// What a profile sets; an absent item leaves the PC's value as it is.
struct Profile {
    // [Registration]
    std::optional<std::wstring> owner, organization, productId;
    // [OEM]
    std::optional<std::wstring> maker, model, logo;
    std::optional<std::wstring> supportPhone, supportHours, supportUrl, supportProvider;
    // [Support Information]: Line1 to LineN. Present, it replaces all the support lines.
    std::optional<std::vector<std::wstring>> supportLines;
    std::size_t logoLine = 0; // the line of Logo=, for what is said about the picture

    bool operator==(const Profile&) const = default;
};

struct ProfileError {
    std::size_t line = 0; // from 1; 0 when the file as a whole is unusable
    std::wstring message;
};

// Exactly one of the two is set.
struct ProfileReading {
    std::optional<Profile> profile;
    std::optional<ProfileError> error;
};

// Reads the whole text: UTF-8 with or without a byte order mark, or UTF-16LE with one; CR LF or LF. Text without a
// mark that may as well be Chinese in code page 936 is refused, and so is a profile that sets nothing.
ProfileReading ParseProfile(std::string_view bytes);

// The profile as /export writes it: UTF-8 with a byte order mark, CR LF, every item that is present, the empty ones
// as empty keys. The product ID is written as a comment: ParseProfile reads the text back to the same profile
// without it (logoLine aside).
std::string WriteProfile(const Profile& profile);

// Takes out of a profile what ParseProfile would refuse: a value over kMaxProfileValue, a SupportURL that is no web
// address, and the support lines from the first over that length or beyond kMaxSupportLines. Returns each item
// taken out, naming its key and why.
std::vector<std::wstring> LeaveOutWhatApplyRefuses(Profile& profile);

// UTF-16 code units as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::wstring_view text);

} // namespace bw
