#pragma once
// The OEM information file "oeminfo.ini", read as the system's profile functions read it and edited in place.
// The file is text in the system's ANSI code page; this layer works on those bytes.
//
// Reading, as GetPrivateProfileString does: a line ends at CR LF, LF or a lone CR, and loses the blanks around it.
// A line starting with "[" and holding a "]" is a section header, named by what lies between the "[" and the last "]"
// less its blanks. A line starting with ";" is a comment. Any other line that is not blank is a key of the section
// above it (lines before the first header belong to none): its name is what comes before the first "=" less its
// blanks, its value what comes after it, less its blanks and then one pair of matching quotes (' or "). A key without
// "=" has no value. Names compare without regard to case; only the first section of a name and the first key of a
// name within it count, and a key without value reads as absent. A NUL byte reads as a blank.
//
// The support lines are the keys "Line1", "Line2" ... of [Support Information] in the order of their numbers, gaps
// allowed. "Line0", a number with a leading zero or any other name is another key, which the system never shows.
#include "core/app_state.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

struct OemValues {
    std::optional<std::string> maker;                // Manufacturer of [General]; absent when the file has none
    std::optional<std::string> model;                // Model of [General]
    std::optional<std::vector<std::string>> support; // absent when there is no [Support Information]
};

OemValues ParseOemInfo(std::string_view bytes);

// A key's value as the system reads the text after its "=".
std::string ProfileValue(std::string_view raw);

// A value as EditOemInfo writes it: a line break inside it would start a line of its own, even a header, so each CR
// and LF is a space.
std::string OneLine(std::string_view value);

// The support values as one text, each followed by CR LF. A converter from a multi-byte code page takes the byte after
// a lead byte whatever it is, so a value whose last byte could lead a character must be converted apart from the line
// break after it: `cuts` holds the end of each such value, where a conversion must stop. Nullopt when there is no
// support section.
struct SupportText {
    std::string bytes;
    std::vector<std::size_t> cuts;
};
std::optional<SupportText> SupportValuesText(std::string_view bytes);

// The file with maker, model and (when given) the support lines set; every other byte stays as it was, in its place.
// A key whose value already reads as the new one keeps its line; another gets the new value after its "=" and the
// blanks that follow it (unless the value starts with blanks of its own). A missing key is added after the last key of
// its section, a missing [General] before the first section and a missing [Support Information] at the end. The support
// lines given replace every LineN key of the section, as Line1 .. LineN numbered without gaps (at most 255), where the
// first of them was. Added lines end with CR LF; a CR or LF inside a value is written as a space. From no bytes this
// gives the file's own layout:
// "[General]", "Manufacturer=", "Model=", "[Support Information]", "Line1=" .. "LineN=".
std::string EditOemInfo(std::string_view file, std::string_view maker, std::string_view model,
                        const std::optional<std::vector<std::string>>& support);

// Support-line table operations. Index 0 (the marker slot) is never touched here.
// Stores values as lines 1..N and sets the count to N; entries past N keep their former contents.
void StoreSupportLines(AppState& state, const std::vector<std::wstring>& values);
// Lines 1..SupportLineCount.
std::vector<std::wstring> CurrentSupportLines(const AppState& state);

} // namespace bw
