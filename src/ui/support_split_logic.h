#pragma once
// How the support editor's text becomes support lines.
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// Splits at CR LF only; a lone CR or LF stays inside its line. A final CR LF ends the last line, so the text
// the editor loads (every value followed by CR LF) comes back unchanged. The empty text is one empty line.
// A first line that begins with LF loses that one character.
std::vector<std::wstring> SplitSupportText(std::wstring_view text);

} // namespace bw
