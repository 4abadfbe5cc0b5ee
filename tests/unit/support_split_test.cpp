// The support editor's split of its text into support lines.
#include "ui/support_split_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(SplitSupportText, BreaksOnlyAtCrLfWithoutALimit) {
    std::wstring many;
    for (int i = 0; i < 300; ++i)
        many += L"x\r\n";
    // A lone CR or LF stays in its line, the first line loses one leading LF, and a final CR LF ends the
    // last line rather than starting an empty one.
    const std::pair<std::wstring, std::vector<std::wstring>> cases[] = {
        {L"a\r\n\r\n b=c \x7F", {L"a", L"", L" b=c \x7F"}},
        {L"a\rb\nc\n\rd\r\r\ne", {L"a\rb\nc\n\rd\r", L"e"}},
        {L"\n\nfirst\r\n\nsecond", {L"\nfirst", L"\nsecond"}},
        {L"\r\nfirst", {L"", L"first"}},
        {L"a\r\n\r\n", {L"a", L""}},
        {L"a\n", {L"a\n"}},
        {L"", {L""}},
        {L"\r\n", {L""}},
        {L"\n", {L""}},
        {many, std::vector<std::wstring>(300, L"x")}};
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(SplitSupportText(text), lines) << testing::PrintToString(text);
}

} // namespace
} // namespace bw
