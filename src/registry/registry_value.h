#pragma once
// Reading and writing single string values of the registry, in the view the system itself uses.
#include "core/platform.h"

#include <optional>
#include <string>

namespace bw {

// The value as text: strings whole and unexpanded, 32-bit numbers in unsigned decimal; the empty text when the
// key or value is missing, unreadable or of another type.
std::wstring GetRegString(Platform& os, HKEY root, const std::wstring& keyPath, const std::wstring& name);
// A value as read: its text (an empty value is not a missing one), or none and the registry's reason: 2
// (ERROR_FILE_NOT_FOUND) where the key or the value is missing, 1630 (ERROR_UNSUPPORTED_TYPE) where it holds
// neither text nor a 32-bit number, or why it could not be read.
struct RegText {
    std::optional<std::wstring> text;
    long error = 0;
};
RegText ReadRegText(Platform& os, HKEY root, const std::wstring& keyPath, const std::wstring& name);

// Stores text as a string value, creating the key if needed. The system treats an empty value as absent,
// so the empty text is stored as one space. Returns the registry's error code, 0 exactly when the value was stored.
long SetRegString(Platform& os, HKEY root, const std::wstring& keyPath, const std::wstring& name,
                  const std::wstring& value);

} // namespace bw
