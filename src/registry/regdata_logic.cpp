#include "registry/regdata_logic.h"

namespace bw {

std::wstring DecodeRegString(std::uint32_t type, const std::vector<std::uint8_t>& data) {
    switch (type) {
    case kRegSz:
    case kRegExpandSz: {
        std::wstring text;
        // An odd trailing byte cannot be a whole code unit and is ignored.
        for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
            const auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
            if (unit == 0)
                break;
            text.push_back(unit);
        }
        return text;
    }
    case kRegDword: {
        if (data.size() < 4)
            return {};
        const std::uint32_t value = static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
                                    static_cast<std::uint32_t>(data[2]) << 16 |
                                    static_cast<std::uint32_t>(data[3]) << 24;
        const std::string digits = std::to_string(value);
        return std::wstring(digits.begin(), digits.end());
    }
    default:
        return {};
    }
}

} // namespace bw
