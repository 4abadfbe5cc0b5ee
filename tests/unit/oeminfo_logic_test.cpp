// oeminfo.ini read as the system's profile functions read it, edited keeping every byte that is not edited, and the
// support-line table.
#include "oeminfo/oeminfo_logic.h"

#include <gtest/gtest.h>

namespace bw {
namespace {

using Lines = std::vector<std::string>;
using WLines = std::vector<std::wstring>;
using std::nullopt;

const std::string kOwnFile =
    "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nLine1=a\r\nLine2=\r\nLine3=x=y\r\n";

// As a maker's tools write it: other order, case and blanks, comments, sections and keys of its own, LineN keys out of
// order, with a gap and a duplicate, and keys that only look like LineN.
const std::string kMakerFile = "; written by the factory image\r\n"
                               "[Version]\r\n"
                               "Signature=$CHICAGO$\r\n"
                               "\r\n"
                               "  [general]  \r\n"
                               "model = \"K510 Pro\" \r\n"
                               "\r\n"
                               "; the maker\r\n"
                               "MANUFACTURER\t=\tKuaixiu\r\n"
                               "SKU=K510-01\r\n"
                               "[support information]\r\n"
                               "Line3=  third\r\n"
                               "Line1=first\r\n"
                               "line2=second\r\n"
                               "Line5=after a gap\r\n"
                               "Line0=never shown\r\n"
                               "Line02=not a number\r\n"
                               "Line1=a duplicate\r\n"
                               "LineX=other\r\n"
                               "[OEMSpecific]\r\n"
                               "SubModel=K510-B\r\n"
                               "SerialNo=0001\r\n";

// Literal bytes, NUL included.
template <std::size_t N> std::string Bytes(const char (&s)[N]) {
    return std::string(s, N - 1);
}

std::string Shown(const std::optional<std::string>& value) {
    return value.value_or("<none>");
}

std::string Shown(const OemValues& v) {
    std::string support = "<none>";
    if (v.support) {
        support = "{";
        for (const std::string& line : *v.support)
            support += line + ";";
        support += "}";
    }
    return Shown(v.maker) + "|" + Shown(v.model) + "|" + support;
}

// What makers' files hold, the system's own functions read beside ours in the Wine tests; these are the edges.
TEST(OemFileLogic, ReadsKeysByNameAsTheSystemDoes) {
    const struct {
        const char* name;
        std::string file;
        std::string read; // maker|model|{support;}
    } rows[] = {
        {"a blank line after the header, no support section", "[General]\r\n\r\nManufacturer=A\r\nModel=B\r\n",
         "A|B|<none>"},
        {"LF, lone CR, NUL, no last line end", Bytes("[General]\nManufacturer=A\0B\rModel=N\n[Support Information]"),
         "A B|N|{}"},
        {"quotes",
         "[General]\r\nManufacturer=\"\r\nModel=' a '\r\n[Support Information]\r\nLine1=\"\"\r\nLine2=\"a\"b\"",
         "\"| a |{;a\"b;}"},
        {"no file", "", "<none>|<none>|<none>"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Shown(ParseOemInfo(r.file)), r.read) << r.name;
    EXPECT_EQ(ProfileValue(" \t\"  a b \" \x1A"), "  a b ");
    // The same values as one text, cut after each whose last byte could lead a character: never before its own end.
    const auto text =
        SupportValuesText("[Support Information]\nLine1=a\xB0\r\nLine3=\xB0\xA1z\r\nLine2=x\r\nLine4=\xC0");
    EXPECT_EQ(text ? std::pair(text->bytes, text->cuts) : std::pair(std::string(), std::vector<std::size_t>{}),
              std::pair(std::string("a\xB0\r\nx\r\n\xB0\xA1z\r\n\xC0\r\n"), std::vector<std::size_t>{2, 13}));
    EXPECT_FALSE(SupportValuesText("[General]\r\n[support informatio]\r\nLine1=a"));
}

TEST(OemFileLogic, EditsOnlyWhatItSetsAndKeepsEveryOtherByte) {
    const std::optional<Lines> keep;
    const struct {
        const char* name;
        std::string file, maker, model;
        std::optional<Lines> support;
        std::string written;
    } rows[] = {
        {"its own layout, changed", kOwnFile, "M2", "N", Lines{"b"},
         "[General]\r\nManufacturer=M2\r\nModel=N\r\n[Support Information]\r\nLine1=b\r\n"},
        {"no file", "", "M", "N", Lines{}, "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\n"},
        {"a maker's file, the model changed", kMakerFile, "Kuaixiu", "K520", keep,
         "; written by the factory image\r\n[Version]\r\nSignature=$CHICAGO$\r\n\r\n  [general]  \r\nmodel = "
         "K520\r\n\r\n"
         "; the maker\r\nMANUFACTURER\t=\tKuaixiu\r\nSKU=K510-01\r\n[support information]\r\nLine3=  third\r\n"
         "Line1=first\r\nline2=second\r\nLine5=after a gap\r\nLine0=never shown\r\nLine02=not a number\r\n"
         "Line1=a duplicate\r\nLineX=other\r\n[OEMSpecific]\r\nSubModel=K510-B\r\nSerialNo=0001\r\n"},
        {"a maker's file, the support lines set", kMakerFile, "Kuaixiu", "K510 Pro", Lines{"a", "b"},
         "; written by the factory image\r\n[Version]\r\nSignature=$CHICAGO$\r\n\r\n  [general]  \r\n"
         "model = \"K510 Pro\" \r\n\r\n; the maker\r\nMANUFACTURER\t=\tKuaixiu\r\nSKU=K510-01\r\n[support "
         "information]\r\n"
         "Line1=a\r\nLine2=b\r\nLine0=never shown\r\nLine02=not a number\r\nLineX=other\r\n[OEMSpecific]\r\n"
         "SubModel=K510-B\r\nSerialNo=0001\r\n"},
        {"keys added after the last key, a section at the end", "[General]\r\nSKU=1\r\n; end\r\n\r\n[Other]\r\nk=v",
         "M", "N", Lines{"s"},
         "[General]\r\nSKU=1\r\nManufacturer=M\r\nModel=N\r\n; end\r\n\r\n[Other]\r\nk=v\r\n[Support "
         "Information]\r\nLine1=s\r\n"},
        {"[General] before the first section, LineN where the first was",
         "; hi\r\nk=v\n[Support Information]\nA=1\nLine2=b", "M", "", Lines{"x", "y"},
         "; hi\r\nk=v\n[General]\r\nManufacturer=M\r\nModel=\r\n[Support Information]\nA=1\nLine1=x\r\nLine2=y\r\n"},
        {"a key without value, an empty one at the very end", "[General]\r\nManufacturer \r\nModel=", "M", "N", keep,
         "[General]\r\nManufacturer =M\r\nModel=N"},
        {"no support lines set where there are none",
         "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nA=1", "M", "N", Lines{},
         "[General]\r\nManufacturer=M\r\nModel=N\r\n[Support Information]\r\nA=1"},
        {"after the last line without its line end", "[General]\r\nModel=N", "M", "N", keep,
         "[General]\r\nModel=N\r\nManufacturer=M\r\n"},
        {"blanks the system drops are still written, in place of those after \"=\"",
         "[General]\r\nManufacturer=\tA\r\nModel= N", "A ", " N", keep, "[General]\r\nManufacturer=\tA \r\nModel= N"},
        {"line breaks in values", "", "X\r\n[Support Information]", "a\rb\nc", Lines{"\n", "k=[General]\r"},
         "[General]\r\nManufacturer=X  [Support Information]\r\nModel=a b c\r\n[Support Information]\r\nLine1= \r\n"
         "Line2=k=[General] \r\n"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(EditOemInfo(r.file, r.maker, r.model, r.support), r.written) << r.name;

    const std::string many = EditOemInfo("", "", "", Lines(300, "x"));
    EXPECT_EQ(ParseOemInfo(many).support.value_or(Lines{}).size(), 255u);
    EXPECT_EQ(many.substr(many.size() - 22), "Line254=x\r\nLine255=x\r\n");
}

} // namespace
} // namespace bw
