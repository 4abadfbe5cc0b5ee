#pragma once
// The OEM information file "oeminfo.ini": its fixed written layout and its reading rules.
// The file is text in the system's ANSI code page; this layer works on those bytes.
// Headers are found by exact, case-sensitive whole-line comparison; maker and model are the first two lines
// after "[General]" and the support lines are every line after "[Support Information]", keys unread.
#include "core/app_state.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

inline constexpr std::string_view kGeneralHeader = "[General]";
inline constexpr std::string_view kSupportHeader = "[Support Information]";
// What a new file holds as its only support line: the system shows nothing for it.
inline constexpr wchar_t kEmptySupportLine[] = L"\x7F";

// Splits at CR LF, lone LF or lone CR. A line end closes its line: it does not start another one.
std::vector<std::string> SplitFileLines(std::string_view bytes);

// Everything after the line's first "=", or the whole line when it has none. Nothing is trimmed. A NUL byte,
// which would end the text in any text box and cut off the rest, reads as a space.
// In the ANSI code pages of Windows no multi-byte character contains the byte of "=" or NUL.
std::string LineValue(std::string_view line);

// Index of the first line equal to header, or nullopt.
std::optional<std::size_t> FindHeader(const std::vector<std::string>& lines, std::string_view header);

struct GeneralValues {
    std::optional<std::string> maker; // absent when the file ends before the line
    std::optional<std::string> model;
};

// Maker and model by position after "[General]", whatever their keys say.
GeneralValues ParseGeneral(const std::vector<std::string>& lines);

// The values of every line after "[Support Information]" to the end of the file, including lines of any
// section that follows. Nullopt when there is no such header.
std::optional<std::vector<std::string>> ParseSupportValues(const std::vector<std::string>& lines);

// The values of ParseSupportValues(SplitFileLines(bytes)) as one text, each followed by CR LF, found without a copy
// of every line. A converter from a multi-byte code page takes the byte after a lead byte whatever it is, so a value
// whose last byte could lead a character must be converted apart from the line break after it: `cuts` holds the
// end of each such value, where a conversion must stop. Nullopt when there is no support header.
struct SupportText {
    std::string bytes;
    std::vector<std::size_t> cuts;
};
std::optional<SupportText> SupportValuesText(std::string_view bytes);

// The file as written: "[General]", "Manufacturer=", "Model=", "[Support Information]", then
// "Line1=" .. "LineN=" numbered without gaps; every line ends with CR LF. Each value is one line: a CR or LF
// in it is written as a space, every other byte as it is.
std::string BuildOemInfo(std::string_view maker, std::string_view model, const std::vector<std::string>& support);

// Support-line table operations. Index 0 (the marker slot) is never touched here.
// Stores values as lines 1..N and sets the count to N; entries past N keep their former contents.
void StoreSupportLines(AppState& state, const std::vector<std::wstring>& values);
// Stores the one line a save writes when there is neither a file nor an editor commit.
void StoreDefaultSupportLine(AppState& state);
// Lines 1..SupportLineCount.
std::vector<std::wstring> CurrentSupportLines(const AppState& state);

} // namespace bw
