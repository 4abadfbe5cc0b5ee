// Registry value data: any type and bytes decode without fault; a string stops at its first NUL and a
// DWORD reads as its decimal value.
#include "registry/regdata_logic.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const std::uint32_t type = data[0] % 8; // the types that matter, and a few that give nothing
    const std::vector<std::uint8_t> bytes(data + 4, data + size);
    const std::wstring text = bw::DecodeRegString(type, bytes);
    const bool string = type == bw::kRegSz || type == bw::kRegExpandSz;
    if (string && (text.size() > bytes.size() / 2 || text.find(L'\0') != std::wstring::npos))
        std::abort();
    if (!string && type != bw::kRegDword && !text.empty())
        std::abort();
    if (type == bw::kRegDword && bytes.size() == 4 &&
        text != std::to_wstring(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24))
        std::abort();
    return 0;
}
