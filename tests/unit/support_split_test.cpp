// Layout arithmetic, the logo preview centred in its frame, and the support editor's split of its text.
#include "oeminfo/logo_logic.h"
#include "ui/support_split_logic.h"
#include "ui/twips_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

TEST(SplitSupportText, BreaksOnlyAtCrLf) {
    // A lone CR or LF stays in its line, the first line loses one leading LF, and a final CR LF ends the
    // last line rather than starting an empty one.
    const std::pair<std::wstring, std::vector<std::wstring>> cases[] = {
        {L"a\r\n\r\n b=c \x7F", {L"a", L"", L" b=c \x7F"}}, {L"a\rb\nc\n\rd\r\r\ne", {L"a\rb\nc\n\rd\r", L"e"}},
        {L"\n\nfirst\r\n\nsecond", {L"\nfirst", L"\nsecond"}}, {L"\r\nfirst", {L"", L"first"}},
        {L"a\r\n\r\n", {L"a", L""}}, {L"a\n", {L"a\n"}}, {L"", {L""}}, {L"\n", {L""}}};
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(SplitSupportText(text), lines) << testing::PrintToString(text);
}

TEST(TwipsLogic, PixelsRoundHalvesAwayFromZeroAndTheLogoIsCentredInItsFrame) {
    EXPECT_EQ((std::vector{TwipsToPixels(6135, 96), TwipsToPixels(6135, 120), TwipsToPixels(6135, 144),
                           TwipsToPixels(7, 96), TwipsToPixels(-8, 96), TwipsToPixels(562.5f, 96), TwipsToPixels(-1042.5f, 96)}),
              (std::vector{409, 511, 614, 0, -1, 38, -70}));
    const LogoPosition small = CentreInFrame(2415, 1575, 1500, 750), large = CentreInFrame(2415, 1575, 4500, 3000);
    EXPECT_EQ((std::vector{small.left, small.top, large.left, large.top}), (std::vector{457.5f, 412.5f, -1042.5f, -712.5f}));
}

} // namespace
} // namespace bw
