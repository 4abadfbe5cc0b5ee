// The support editor's split: any text splits without fault into the lines between its CR LF pairs, once one
// final CR LF is taken as the end of the last line and one leading LF is dropped from the first.
#include "ui/support_split_logic.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    const std::vector<std::wstring> lines = bw::SplitSupportText(text);
    std::wstring expected = text.ends_with(L"\r\n") ? text.substr(0, text.size() - 2) : text, joined;
    if (expected.starts_with(L'\n'))
        expected.erase(0, 1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find(L"\r\n") != std::wstring::npos)
            std::abort();
        joined += (i ? L"\r\n" : L"") + lines[i];
    }
    if (lines.empty() || joined != expected)
        std::abort();
    return 0;
}
