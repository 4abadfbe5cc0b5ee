// Reading rules and written layout of the OEM information file, and the support-line table.
#include "oeminfo/oeminfo_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

using Lines = std::vector<std::string>;
using WLines = std::vector<std::wstring>;

TEST(OemFileLogic, ReadsLinesEndingInCrLfLfOrCrByPositionAfterTheExactHeaders) {
    EXPECT_EQ(SplitFileLines("a\r\nb\nc\rd\n\r\r\n"), (Lines{"a", "b", "c", "d", "", ""}));
    EXPECT_EQ(LineValue("Line2=a=b") + "|" + LineValue("Model= x ") + "|" + LineValue("[General]"), "a=b| x |[General]");
    EXPECT_EQ(LineValue(std::string_view("K=a\0b\0", 6)), "a b ") << "no text box holds a NUL";
    const auto v = ParseGeneral({"[general]", "[General] ", "[General]", "Model=X", "Manufacturer=Y", "Z=z"});
    EXPECT_EQ(v.maker.value_or("?") + v.model.value_or("?"), "XY");
    const auto makerOnly = ParseGeneral({"[General]", "Manufacturer=A"});
    EXPECT_EQ(makerOnly.maker.value_or("?") + makerOnly.model.value_or("<none>"), "A<none>");
    EXPECT_EQ(ParseSupportValues({"[Support Information]", "Line1=a", "Line5=b", "Other", "[More]", "k=v"}).value_or(Lines{}),
              (Lines{"a", "b", "Other", "[More]", "v"}));
    EXPECT_FALSE(ParseSupportValues({"[support information]", "Line1=a"}));
    // The same values as one text, cut after each whose last byte could lead a character: never before its own end.
    const auto text =
        SupportValuesText(std::string_view("[Support Information]\nL=a\xB0\r\nx\0y\rL=\xB0\xA1z\r\n\xC0", 40));
    EXPECT_EQ(text ? std::pair(text->bytes, text->cuts) : std::pair(std::string(), std::vector<std::size_t>{}),
              std::pair(std::string("a\xB0\r\nx y\r\n\xB0\xA1z\r\n\xC0\r\n"), std::vector<std::size_t>{2, 15}));
    EXPECT_FALSE(SupportValuesText("[General]\r\n[support information]\r\nL=a"));
}

TEST(OemFileLogic, WritesTheFixedLayoutNumberedWithoutGaps) {
    EXPECT_EQ(BuildOemInfo("M", "N", {"a", "", "x=y"}),
              "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=a\r\nLine2=\r\nLine3=x=y\r\n");
    // A line break inside a value would start a line of its own, even a header: each is written as a space.
    EXPECT_EQ(BuildOemInfo("X\r\n[Support Information]", "a\rb\nc", {"\n", "k=[General]\r"}),
              "[General]\r\nManufacturer=X  [Support Information]\r\nModel=a b c\r\n[Support Information]\r\nLine1= \r\n"
              "Line2=k=[General] \r\n");
}

TEST(OemFileLogic, SupportTableKeepsTheMarkerSlotAndStaleEntries) {
    AppState s;
    s.SupportLines[0] = L"Info";
    s.SupportLines[3] = L"old";
    StoreSupportLines(s, {L"a", L"b"});
    EXPECT_EQ(CurrentSupportLines(s), (WLines{L"a", L"b"}));
    EXPECT_EQ(s.SupportLines[0] + s.SupportLines[3], L"Infoold");
    EXPECT_TRUE(s.SupportEdited());
    StoreDefaultSupportLine(s);
    EXPECT_EQ(CurrentSupportLines(s), WLines{L"\x7F"});
    const WLines many(300, L"x");
    StoreSupportLines(s, many);
    EXPECT_EQ(CurrentSupportLines(s), many);
}

} // namespace
} // namespace bw
