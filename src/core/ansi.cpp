#include "core/ansi.h"

#include <windows.h>

namespace bw {

std::string ToAnsi(std::wstring_view text) {
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring FromAnsi(std::string_view bytes) {
    std::wstring out;
    AppendFromAnsi(out, bytes);
    return out;
}

void AppendFromAnsi(std::wstring& out, std::string_view bytes) {
    if (bytes.empty())
        return;
    // No code page makes more than one UTF-16 unit of a byte, so one call does, without asking for the length.
    const std::size_t at = out.size();
    out.resize(at + bytes.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data() + at,
                                      static_cast<int>(bytes.size()));
    out.resize(at + static_cast<std::size_t>(n > 0 ? n : 0));
}

} // namespace bw
