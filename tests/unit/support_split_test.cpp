// The support editor's split of its text into support lines.
#include "ui/support_split_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

using Lines = std::vector<std::wstring>;

TEST(SplitSupportText, BreaksOnlyAtCrLf) {
    EXPECT_EQ(SplitSupportText(L"a\r\nb\r\nc"), (Lines{L"a", L"b", L"c"}));
    EXPECT_EQ(SplitSupportText(L"a\rb\nc"), (Lines{L"a\rb\nc"}));
    EXPECT_EQ(SplitSupportText(L"a\n\rb\r\r\nc"), (Lines{L"a\n\rb\r", L"c"}));
    EXPECT_EQ(SplitSupportText(L"a\r\n\r\nb"), (Lines{L"a", L"", L"b"}));
}

TEST(SplitSupportText, KeepsLineContentAsTyped) {
    EXPECT_EQ(SplitSupportText(L" Tel = 800 \x7F"), (Lines{L" Tel = 800 \x7F"}));
    EXPECT_EQ(SplitSupportText(L"\u670D\u52A1=a=b"), (Lines{L"\u670D\u52A1=a=b"}));
}

TEST(SplitSupportText, DropsOneLeadingLineFeedOfTheFirstLineOnly) {
    EXPECT_EQ(SplitSupportText(L"\nfirst\r\n\nsecond"), (Lines{L"first", L"\nsecond"}));
    EXPECT_EQ(SplitSupportText(L"\n\nfirst"), (Lines{L"\nfirst"}));
    EXPECT_EQ(SplitSupportText(L"\n"), (Lines{L""}));
    EXPECT_EQ(SplitSupportText(L"\r\nfirst"), (Lines{L"", L"first"}));
}

TEST(SplitSupportText, FinalCrLfEndsTheLastLine) {
    EXPECT_EQ(SplitSupportText(L"a\r\nb\r\n"), (Lines{L"a", L"b"}));
    EXPECT_EQ(SplitSupportText(L"a\r\n\r\n"), (Lines{L"a", L""}));
    EXPECT_EQ(SplitSupportText(L"\r\n"), (Lines{L""}));
    EXPECT_EQ(SplitSupportText(L"a\n"), (Lines{L"a\n"}));
}

TEST(SplitSupportText, EmptyTextIsOneEmptyLine) {
    EXPECT_EQ(SplitSupportText(L""), (Lines{L""}));
}

TEST(SplitSupportText, HasNoLimitOnTheNumberOfLines) {
    std::wstring text;
    for (int i = 1; i <= 300; ++i)
        text += L"line " + std::to_wstring(i) + L"\r\n";
    const Lines lines = SplitSupportText(text);
    ASSERT_EQ(lines.size(), 300u);
    EXPECT_EQ(lines.front(), L"line 1");
    EXPECT_EQ(lines[254], L"line 255");
    EXPECT_EQ(lines.back(), L"line 300");
}

} // namespace
} // namespace bw
