#include "picture/decode_logic.h"

namespace bw {

std::optional<Rgba> DecodeIcon(std::string_view) {
    return std::nullopt;
}

} // namespace bw
