// Registry value data: any type and bytes decode without fault, to exactly this. A REG_SZ or REG_EXPAND_SZ (not
// expanded) is its UTF-16 code units up to the first NUL, an odd last byte ignored; a REG_DWORD of at least four
// bytes is the unsigned decimal of its first four, little-endian; every other type is empty.
#include "registry/regdata_logic.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const std::uint32_t type = data[0] % 8; // the types that matter, and a few that give nothing
    const std::vector<std::uint8_t> bytes(data + 4, data + size);
    std::wstring expected;
    for (std::size_t i = 0; (type == 1 || type == 2) && i + 1 < bytes.size() && (bytes[i] || bytes[i + 1]); i += 2)
        expected += static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8);
    if (type == 4 && bytes.size() >= 4)
        expected = std::to_wstring(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint64_t{bytes[3]} << 24);
    if (bw::DecodeRegString(type, bytes) != expected)
        std::abort();
    return 0;
}
