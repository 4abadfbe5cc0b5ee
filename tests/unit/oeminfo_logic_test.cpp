// Reading rules and written layout of the OEM information file.
#include "oeminfo/oeminfo_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitFileLines, AcceptsEveryLineEndAndDoesNotInventAFinalLine) {
    EXPECT_EQ(SplitFileLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitFileLines("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(SplitFileLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(SplitFileLines("\n\r"), (Lines{"", ""})) << "LF then CR are two line ends, not one";
    EXPECT_EQ(SplitFileLines(""), Lines{});
}

TEST(LineValue, TakesEverythingAfterTheFirstEqualsSign) {
    EXPECT_EQ(LineValue("Line2=a=b"), "a=b");
    EXPECT_EQ(LineValue("Manufacturer="), "");
    EXPECT_EQ(LineValue("Model= spaced "), " spaced ");
    EXPECT_EQ(LineValue("[Support Information]"), "[Support Information]");
    EXPECT_EQ(LineValue("=x"), "x");
    // GBK text: no trail byte is ever the byte of "=".
    EXPECT_EQ(LineValue("K=\xD6\xC6\xD4\xEC"), "\xD6\xC6\xD4\xEC");
}

TEST(ParseGeneral, TakesMakerAndModelByPosition) {
    const auto v = ParseGeneral({"x", "[General]", "Model=X", "Manufacturer=Y", "Other=Z"});
    EXPECT_EQ(v.maker.value_or("?"), "X");
    EXPECT_EQ(v.model.value_or("?"), "Y");
}

TEST(ParseGeneral, MatchesTheHeaderExactly) {
    EXPECT_FALSE(ParseGeneral({"[general]", "Manufacturer=A"}).maker);
    EXPECT_FALSE(ParseGeneral({"[General] ", "Manufacturer=A"}).maker);
    EXPECT_FALSE(ParseGeneral({" [General]", "Manufacturer=A"}).maker);
    EXPECT_EQ(ParseGeneral({"[General] ", "[General]", "Manufacturer=A"}).maker.value_or("?"), "A");
}

TEST(ParseGeneral, TakesWhateverLinesFollowAndStopsAtTheEnd) {
    const auto next = ParseGeneral({"[General]", "[Support Information]", "Line1=a"});
    EXPECT_EQ(next.maker.value_or("?"), "[Support Information]");
    EXPECT_EQ(next.model.value_or("?"), "a");
    const auto makerOnly = ParseGeneral({"[General]", "Manufacturer=A"});
    EXPECT_EQ(makerOnly.maker.value_or("?"), "A");
    EXPECT_FALSE(makerOnly.model) << "no line for the model: the box keeps its text";
    EXPECT_FALSE(ParseGeneral({"[General]"}).maker);
    EXPECT_FALSE(ParseGeneral({}).maker);
}

TEST(ParseSupportValues, TakesEveryLineToTheEndWhateverItsKey) {
    const auto v = ParseSupportValues({"[Support Information]", "Line1=a", "Line5=b", "Other", "[More]", "k=v"});
    EXPECT_EQ(v.value_or(Lines{}), (Lines{"a", "b", "Other", "[More]", "v"}));
    EXPECT_EQ(ParseSupportValues({"[General]", "[Support Information]"}).value_or(Lines{"?"}), Lines{});
    EXPECT_FALSE(ParseSupportValues({"[General]", "[support information]", "Line1=a"}));
}

TEST(BuildOemInfo, WritesTheFixedLayoutWithCrLfAfterEveryLine) {
    EXPECT_EQ(BuildOemInfo("M", "N", {"a", "", "x=y"}),
              "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=a\r\nLine2=\r\nLine3=x=y\r\n");
    EXPECT_EQ(BuildOemInfo("", "", {}), "[General]\r\nManufacturer=\r\nModel=\r\n[Support Information]\r\n");
}

TEST(BuildOemInfo, NumbersEveryLineWithoutGapsBeyond255) {
    Lines values;
    for (int i = 1; i <= 300; ++i)
        values.push_back("v" + std::to_string(i));
    const std::string file = BuildOemInfo("M", "N", values);
    EXPECT_NE(file.find("\r\nLine255=v255\r\nLine256=v256\r\n"), std::string::npos);
    EXPECT_TRUE(file.ends_with("\r\nLine300=v300\r\n"));
    // What is written reads back as the same values.
    EXPECT_EQ(ParseSupportValues(SplitFileLines(file)).value_or(Lines{}), values);
}

TEST(SupportTable, StoresLinesWithoutTouchingTheMarker) {
    AppState s;
    s.SupportLines[0] = SupportEditedMarker;
    s.SupportLines[3] = L"old";
    StoreSupportLines(s, {L"a", L"b"});
    EXPECT_EQ(s.SupportLineCount, 2);
    EXPECT_EQ(s.SupportLines[0], SupportEditedMarker);
    EXPECT_EQ(s.SupportLines[3], L"old") << "entries past the count keep their contents";
    EXPECT_EQ(CurrentSupportLines(s), (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(SupportTable, GrowsForAnyNumberOfLines) {
    AppState s;
    std::vector<std::wstring> many(300, L"x");
    many.back() = L"last";
    StoreSupportLines(s, many);
    EXPECT_EQ(s.SupportLineCount, 300);
    EXPECT_EQ(CurrentSupportLines(s), many);
}

TEST(SupportTable, DefaultIsOneDelCharacterLine) {
    AppState s;
    EXPECT_EQ(s.SupportLineCount, 0);
    EXPECT_EQ(s.SupportLines[0], L"") << "no marker before the editor commits";
    s.SupportLines[2] = L"kept";
    StoreDefaultSupportLine(s);
    EXPECT_EQ(CurrentSupportLines(s), std::vector<std::wstring>{std::wstring(1, wchar_t(127))});
    EXPECT_EQ(s.SupportLines[2], L"kept");
}

TEST(SupportTable, NegativeCountMeansNoLines) {
    AppState s;
    s.SupportLineCount = -3;
    EXPECT_TRUE(CurrentSupportLines(s).empty());
}

TEST(AppStatePaths, StagingFilesFollowTheTempDirectorysBackslash) {
    AppState s;
    s.SystemDirectory = L"C:\\WINDOWS\\system32";
    s.TempDirectory = L"C:\\TEMP\\";
    EXPECT_EQ(s.OemInfoPath(), L"C:\\WINDOWS\\system32\\oeminfo.ini");
    EXPECT_EQ(s.OemLogoPath(), L"C:\\WINDOWS\\system32\\oemlogo.bmp");
    EXPECT_EQ(s.StagedOemInfoPath(), L"C:\\TEMP\\oeminfo.tmp");
    EXPECT_EQ(s.StagedLogoPath(), L"C:\\TEMP\\oemlogo.tmp");
}

} // namespace
} // namespace bw
