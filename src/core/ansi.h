#pragma once
// Conversion between the program's Unicode text and the system's ANSI code page.
#include <string>
#include <string_view>

namespace bw {

std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);
// FromAnsi(bytes) added to the end of out.
void AppendFromAnsi(std::wstring& out, std::string_view bytes);

} // namespace bw
