#pragma once
// What may be applied, the same for the window and the command line.
#include <cstddef>
#include <string_view>

namespace bw {

// A value may hold at most this many UTF-16 code units.
inline constexpr std::size_t kMaxProfileValue = 4096;
// Support lines the program keeps.
inline constexpr std::size_t kMaxSupportLines = 255;

// An http:// or https:// address with a host, a host name without a scheme (www.brandwick.example), or the empty
// text: Windows opens SupportURL as a web address.
bool IsSupportUrl(std::wstring_view url);

} // namespace bw
