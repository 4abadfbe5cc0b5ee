#pragma once
// What may be applied, the same for the window and the command line.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// A value may hold at most this many UTF-16 code units.
inline constexpr std::size_t kMaxProfileValue = 4096;
// Support lines the program keeps.
inline constexpr std::size_t kMaxSupportLines = 255;

// An http:// or https:// address with a host, a host name without a scheme (www.brandwick.example), or the empty
// text: Windows opens SupportURL as a web address.
bool IsSupportUrl(std::wstring_view url);

// What to set. An absent item is left as it is on the PC.
struct Branding {
    std::optional<std::wstring> owner, organization, productId;
    std::optional<std::wstring> maker, model;
    // Present, it replaces every support line; absent, the lines the editor committed this run, else the file's.
    std::optional<std::vector<std::wstring>> supportLines;
    // Values of the OEMInformation key, from which the system shows support information on NT 6.0 and later.
    std::optional<std::wstring> supportPhone, supportHours, supportUrl, supportProvider;
    // A checked picture to install; absent, whatever the logo button staged (if anything) is installed.
    std::optional<std::string> logo;
};

// A value that cannot be applied: the key profiles name it by ("Owner", "SupportURL", "Line3 至 Line300"), and why.
struct Refusal {
    std::wstring key;
    std::wstring why;
    bool operator==(const Refusal&) const = default;
};

// Why the value of a key cannot be applied; nullopt when it can.
std::optional<std::wstring> ValueRefusal(std::wstring_view key, std::wstring_view value);
// How many of the lines can be applied: they are numbered without gaps, so the first that cannot (over the length,
// or beyond kMaxSupportLines) ends them. The refusal of the rest, when there is any, goes to refusal.
std::size_t SupportLinesApplied(const std::vector<std::wstring>& lines, std::optional<Refusal>* refusal = nullptr);
// Every value of the set that cannot be applied, in the order a profile names them. The logo's bytes are checked
// where the file is read.
std::vector<Refusal> CheckBranding(const Branding& values);

} // namespace bw
