#include "core/text_logic.h"

namespace bw {

std::wstring DecimalText(std::size_t n) {
    std::wstring digits;
    do
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + n % 10));
    while (n /= 10);
    return digits;
}

std::wstring ErrorWithCode(std::wstring_view text, std::uint32_t code) {
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.remove_suffix(1);
    if (text.empty())
        return L"系统错误 " + DecimalText(code);
    // A full-width stop has its own space; after Latin text the code stands apart.
    const bool latin = static_cast<std::uint32_t>(text.back()) < 0x80;
    return std::wstring(text) + (latin ? L" (" : L"(") + DecimalText(code) + L")";
}

} // namespace bw
