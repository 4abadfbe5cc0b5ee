// Reading rules and written layout of the OEM information file.
#include "oeminfo/oeminfo_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

using Lines = std::vector<std::string>;

TEST(OemFileReading, LinesEndAtCrLfLoneLfOrLoneCrWithoutAnInventedLastLine) {
    EXPECT_EQ(SplitFileLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitFileLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(SplitFileLines("\n\r"), (Lines{"", ""})) << "LF then CR are two line ends";
    EXPECT_EQ(SplitFileLines(""), Lines{});
}

TEST(OemFileReading, ValueIsEverythingAfterTheFirstEqualsSignUntrimmed) {
    EXPECT_EQ(LineValue("Line2=a=b"), "a=b");
    EXPECT_EQ(LineValue("Manufacturer="), "");
    EXPECT_EQ(LineValue("Model= spaced "), " spaced ");
    EXPECT_EQ(LineValue("[Support Information]"), "[Support Information]");
    EXPECT_EQ(LineValue("K=\xD6\xC6\xD4\xEC"), "\xD6\xC6\xD4\xEC");
    EXPECT_EQ(LineValue(std::string_view("K=a\0b\0", 6)), "a b ") << "no text box holds a NUL";
}

TEST(OemFileReading, MakerAndModelGoByPositionAfterTheExactHeader) {
    const auto v = ParseGeneral({"[general]", "[General] ", "[General]", "Model=X", "Manufacturer=Y", "Z=z"});
    EXPECT_EQ(v.maker.value_or("?") + v.model.value_or("?"), "XY");
    const auto next = ParseGeneral({"[General]", "[Support Information]", "Line1=a"});
    EXPECT_EQ(next.maker.value_or("?"), "[Support Information]");
    const auto makerOnly = ParseGeneral({"[General]", "Manufacturer=A"});
    EXPECT_EQ(makerOnly.maker.value_or("?"), "A");
    EXPECT_FALSE(makerOnly.model) << "no line for the model: the box keeps its text";
    EXPECT_FALSE(ParseGeneral({" [General]", "Manufacturer=A"}).maker);
}

TEST(OemFileReading, SupportLinesRunToTheEndWhateverTheirKeys) {
    const auto v = ParseSupportValues({"[Support Information]", "Line1=a", "Line5=b", "Other", "[More]", "k=v"});
    EXPECT_EQ(v.value_or(Lines{}), (Lines{"a", "b", "Other", "[More]", "v"}));
    EXPECT_EQ(ParseSupportValues({"[General]", "[Support Information]"}).value_or(Lines{"?"}), Lines{});
    EXPECT_FALSE(ParseSupportValues({"[support information]", "Line1=a"}));
}

TEST(OemFileWriting, FixedLayoutNumberedWithoutGapsAndReadBackWhole) {
    EXPECT_EQ(BuildOemInfo("M", "N", {"a", "", "x=y"}),
              "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=a\r\nLine2=\r\nLine3=x=y\r\n");
    EXPECT_EQ(BuildOemInfo("", "", {}), "[General]\r\nManufacturer=\r\nModel=\r\n[Support Information]\r\n");
    Lines values;
    for (int i = 1; i <= 300; ++i)
        values.push_back("v" + std::to_string(i));
    const std::string file = BuildOemInfo("M", "N", values);
    EXPECT_NE(file.find("\r\nLine255=v255\r\nLine256=v256\r\n"), std::string::npos);
    EXPECT_EQ(ParseSupportValues(SplitFileLines(file)).value_or(Lines{}), values);
}

TEST(OemFileWriting, LineBreaksInAValueBecomeSpacesAndNothingElseChanges) {
    const std::string file = BuildOemInfo("X\r\n[Support Information]\r\nLine1=pwn", "a\rb\nc=[General]",
                                          {"\n", "k=[Support Information]\r"});
    const Lines lines = SplitFileLines(file);
    EXPECT_EQ(lines.size(), 6u);
    const GeneralValues g = ParseGeneral(lines);
    EXPECT_EQ(g.maker.value_or("?"), "X  [Support Information]  Line1=pwn");
    EXPECT_EQ(g.model.value_or("?"), "a b c=[General]");
    EXPECT_EQ(ParseSupportValues(lines).value_or(Lines{}), (Lines{" ", "k=[Support Information] "}));
}

TEST(SupportTable, StoresAnyNumberOfLinesWithoutTouchingTheMarker) {
    AppState s;
    EXPECT_EQ(s.SupportLineCount, 0);
    s.SupportLines[0] = SupportEditedMarker;
    s.SupportLines[3] = L"old";
    StoreSupportLines(s, {L"a", L"b"});
    EXPECT_EQ(CurrentSupportLines(s), (std::vector<std::wstring>{L"a", L"b"}));
    EXPECT_EQ(s.SupportLines[0] + s.SupportLines[3], L"Infoold") << "marker and entries past the count stay";
    std::vector<std::wstring> many(300, L"x");
    many.back() = L"last";
    StoreSupportLines(s, many);
    EXPECT_EQ(CurrentSupportLines(s), many);
    s.SupportLineCount = -3;
    EXPECT_TRUE(CurrentSupportLines(s).empty());
}

TEST(SupportTable, DefaultIsOneDelCharacterLine) {
    AppState s;
    s.SupportLines[2] = L"kept";
    StoreDefaultSupportLine(s);
    EXPECT_EQ(CurrentSupportLines(s), std::vector<std::wstring>{std::wstring(1, wchar_t(127))});
    EXPECT_EQ(s.SupportLines[2], L"kept");
}

TEST(AppStatePaths, StagingNamesFollowTheTempDirectorysBackslash) {
    AppState s;
    s.SystemDirectory = L"C:\\WINDOWS\\system32";
    s.TempDirectory = L"C:\\TEMP\\";
    EXPECT_EQ(s.OemInfoPath() + L"|" + s.OemLogoPath(), L"C:\\WINDOWS\\system32\\oeminfo.ini|C:\\WINDOWS\\system32\\oemlogo.bmp");
    EXPECT_EQ(s.StagedOemInfoPath() + L"|" + s.StagedLogoPath(), L"C:\\TEMP\\oeminfo.tmp|C:\\TEMP\\oemlogo.tmp");
}

} // namespace
} // namespace bw
