#pragma once
// The deployment profile: an INI text naming what to set on a PC, read by /apply and written by /export.
// Text here is UTF-16 code units, one to a wchar_t, on every platform.
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

// A value may hold at most this many UTF-16 code units.
inline constexpr std::size_t kMaxProfileValue = 4096;
// Support lines the program keeps.
inline constexpr std::size_t kMaxSupportLines = 255;

// Reads the whole text: UTF-8 with or without a byte order mark, or UTF-16LE with one; CR LF or LF.
ProfileReading ParseProfile(std::string_view bytes);

// The profile as /export writes it: UTF-8 with a byte order mark, CR LF, every item that is present.
// ParseProfile reads it back to the same profile (logoLine aside).
std::string WriteProfile(const Profile& profile);

// An absolute http:// or https:// address with a host, or the empty text: Windows opens SupportURL as a link.
bool IsSupportUrl(std::wstring_view url);

// UTF-16 code units as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::wstring_view text);

} // namespace bw
