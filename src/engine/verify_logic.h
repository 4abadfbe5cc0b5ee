#pragma once
// Whether a PC already holds what a profile sets, decided by the rules by which /apply stores each item: what /apply
// leaves is always found to be the same, and what it would change is not.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

// How text becomes the bytes of oeminfo.ini and back: the system's ANSI code page in the program.
struct CodePage {
    std::string (*toFile)(std::wstring_view);
    std::wstring (*fromFile)(std::string_view);
};

// The places /apply stores a value in, each by its own rule.
enum class StoredIn {
    Registration, // a registration value: the system treats an empty one as missing, so it is stored as one space
    File,         // oeminfo.ini: through its code page, on one line, read back as the system reads the file
    Key,          // the OEMInformation key: as it is
};

// True where the value a place holds (absent: missing or unreadable) is what /apply of `wanted` leaves there. A
// missing value is never the same as an empty one: /apply would store it.
bool SameAsStored(StoredIn place, const std::optional<std::wstring>& held, const std::wstring& wanted,
                  const CodePage& codePage);

// A value as a difference shows it: in quotes, a control character as \xHH, a long one cut with its length after it;
// "（无）" where there is none.
std::wstring DescribeValue(const std::optional<std::wstring>& value);

// A picture as a difference shows it: its size and the start of its SHA-256; "（无）" where there is none.
std::wstring DescribePicture(const std::optional<std::string>& bytes);

// One line of a difference: the item, what the PC holds and what the profile wants, each already described.
std::wstring DifferenceLine(std::wstring_view item, std::wstring_view held, std::wstring_view wanted);

// The SHA-256 of the bytes in lower-case hexadecimal, as certutil and Get-FileHash show it (the latter in capitals).
std::string Sha256Hex(std::string_view bytes);

} // namespace bw
