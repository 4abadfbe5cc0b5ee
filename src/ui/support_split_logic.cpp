#include "ui/support_split_logic.h"

namespace bw {

std::vector<std::wstring> SplitSupportText(std::wstring_view text) {
    constexpr std::wstring_view kBreak = L"\r\n";
    if (text.ends_with(kBreak))
        text.remove_suffix(kBreak.size());
    std::vector<std::wstring> lines;
    for (;;) {
        const std::size_t pos = text.find(kBreak);
        lines.emplace_back(text.substr(0, pos));
        if (pos == std::wstring_view::npos)
            break;
        text.remove_prefix(pos + kBreak.size());
    }
    if (lines.front().starts_with(L'\n'))
        lines.front().erase(0, 1);
    return lines;
}

} // namespace bw
