#pragma once
// Small pieces of text the whole program builds the same way.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bw {

// A number in decimal; std::to_wstring would bring the C library's whole formatted output into the program.
std::wstring DecimalText(std::size_t n);

// The system's text for an error with its code after it, as "拒绝访问。(5)"; the text's line end dropped. Without a
// text, the code alone names the error.
std::wstring ErrorWithCode(std::wstring_view systemText, std::uint32_t code);

} // namespace bw
