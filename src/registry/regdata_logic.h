#pragma once
// Turning registry value data into the text the program shows.
#include <cstdint>
#include <string>
#include <vector>

namespace bw {

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Value data as the wide registry functions return it: strings are UTF-16LE code units.
// REG_SZ and REG_EXPAND_SZ give their text (unexpanded) up to the first NUL, or all of it when it has none;
// REG_DWORD gives its unsigned decimal value; every other type gives the empty text.
// The result holds one UTF-16 code unit per element.
std::wstring DecodeRegString(std::uint32_t type, const std::vector<std::uint8_t>& data);

} // namespace bw
