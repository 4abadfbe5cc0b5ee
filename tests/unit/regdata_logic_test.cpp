// Decoding registry value data into text.
#include "registry/regdata_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(DecodeRegString, StringsToTheirFirstNulNumbersInUnsignedDecimalOtherTypesEmpty) {
    const struct {
        std::uint32_t type;
        Bytes data;
        std::wstring text;
    } cases[] = {
        {1, {'A', 0, 0x16, 0x04, 0x3D, 0xD8, 0x00, 0xDE, 0, 0}, L"A\u0416\xD83D\xDE00"}, // with a surrogate pair
        {1, {'a', 0, 0, 0, 'b', 0, 0, 0}, L"a"},
        {1, {'a', 0, 'b', 0, 'c'}, L"ab"}, // unterminated, and a stray odd byte is no character
        {1, {}, L""},
        {2, {'%', 0, 'X', 0, '%', 0, 0, 0}, L"%X%"}, // not expanded
        {4, {2, 1, 0, 0}, L"258"},
        {4, {0xFF, 0xFF, 0xFF, 0xFF}, L"4294967295"},
        {4, {1, 2, 0}, L""}, // too short to be a number
        {3, {'a', 0, 0, 0}, L""},
        {7, {'a', 0, 0, 0, 0, 0}, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeRegString(c.type, c.data), c.text) << "type " << c.type << " " << testing::PrintToString(c.data);
    EXPECT_EQ(DecodeRegString(1, Bytes(10000, 'x')).size(), 5000u);
}

} // namespace
} // namespace bw
