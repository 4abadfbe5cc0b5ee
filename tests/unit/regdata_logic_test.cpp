// Decoding registry value data into text.
#include "registry/regdata_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

std::vector<std::uint8_t> Utf16(std::u16string_view s, bool nul = true) {
    std::vector<std::uint8_t> bytes;
    for (char16_t c : s) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    if (nul)
        bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

std::wstring Units(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }

TEST(DecodeRegString, StringsAreTakenUpToTheirFirstNul) {
    EXPECT_EQ(DecodeRegString(kRegSz, Utf16(u"Alice")), L"Alice");
    EXPECT_EQ(DecodeRegString(kRegSz, Utf16(u"a\0b")), L"a");
    EXPECT_EQ(DecodeRegString(kRegSz, Utf16(u"")), L"");
    EXPECT_EQ(DecodeRegString(kRegSz, {}), L"");
}

TEST(DecodeRegString, ValueWithoutTerminatorIsReadWhole) {
    EXPECT_EQ(DecodeRegString(kRegSz, Utf16(u"abc", false)), L"abc");
    auto odd = Utf16(u"ab", false);
    odd.push_back('c');
    EXPECT_EQ(DecodeRegString(kRegSz, odd), L"ab") << "a stray odd byte is no character";
}

TEST(DecodeRegString, LongValuesAndCharactersOutsideTheCodePage) {
    const std::u16string longText(5000, u'x');
    EXPECT_EQ(DecodeRegString(kRegSz, Utf16(longText)).size(), 5000u);
    const std::u16string text = u"\u00C5sa \u0416 \U0001F600"; // includes a surrogate pair
    EXPECT_EQ(DecodeRegString(kRegSz, Utf16(text)), Units(text));
}

TEST(DecodeRegString, ExpandableStringsAreNotExpanded) {
    EXPECT_EQ(DecodeRegString(kRegExpandSz, Utf16(u"%SystemRoot%\\x")), L"%SystemRoot%\\x");
}

TEST(DecodeRegString, NumbersAreUnsignedDecimal) {
    EXPECT_EQ(DecodeRegString(kRegDword, {1, 0, 0, 0}), L"1");
    EXPECT_EQ(DecodeRegString(kRegDword, {2, 1, 0, 0}), L"258");
    EXPECT_EQ(DecodeRegString(kRegDword, {0, 0, 0, 0}), L"0");
    EXPECT_EQ(DecodeRegString(kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}), L"4294967295");
    EXPECT_EQ(DecodeRegString(kRegDword, {1, 2}), L"") << "too short to be a number";
}

TEST(DecodeRegString, OtherTypesGiveTheEmptyText) {
    EXPECT_EQ(DecodeRegString(kRegBinary, Utf16(u"text")), L"");
    EXPECT_EQ(DecodeRegString(kRegMultiSz, Utf16(u"a\0b\0")), L"");
    EXPECT_EQ(DecodeRegString(0, Utf16(u"text")), L"");
    EXPECT_EQ(DecodeRegString(11, {1, 0, 0, 0, 0, 0, 0, 0}), L"");
}

} // namespace
} // namespace bw
