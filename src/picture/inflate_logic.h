#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace bw {

// Inflates a zlib stream (deflate's stored, fixed and dynamic blocks; Adler-32 checked) into exactly `size` bytes
// at `out`. False when the stream would write more or less, on a bad code, length or distance, a stream cut
// short, or bytes after its checksum. Never writes past out + size.
bool Inflate(std::string_view zlib, std::uint8_t* out, std::size_t size);

} // namespace bw
