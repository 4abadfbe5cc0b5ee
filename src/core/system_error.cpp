#include "core/system_error.h"

#include "core/text_logic.h"

#include <windows.h>

#include <iterator>

namespace bw {

std::wstring SystemErrorText(std::uint32_t code) {
    // A fixed buffer: no allocation by the system to free, and every system message fits.
    wchar_t text[512];
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                   static_cast<DWORD>(std::size(text)), nullptr);
    return ErrorWithCode(std::wstring_view(text, n), code);
}

} // namespace bw
