// The support editor's split: any text splits without fault, no line holds a CR LF, and the text the editor
// would load from those lines splits back into the same lines.
#include "ui/support_split_logic.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    const std::vector<std::wstring> lines = bw::SplitSupportText(text);
    std::wstring loaded;
    for (const std::wstring& line : lines) {
        if (line.find(L"\r\n") != std::wstring::npos)
            std::abort();
        loaded += line + L"\r\n";
    }
    if (lines.empty() || (!lines[0].starts_with(L'\n') && bw::SplitSupportText(loaded) != lines))
        std::abort();
    return 0;
}
