#pragma once
// Reading and writing single string values of the registry, in the view the system itself uses.
#include "core/platform.h"

#include <optional>
#include <string>

namespace bw {

// The value as text: strings whole and unexpanded, 32-bit numbers in unsigned decimal; the empty text when the
// key or value is missing, unreadable or of another type.
std::wstring GetRegString(Platform& os, HKEY root, const std::wstring& keyPath, const std::wstring& name);
// The same text, or nullopt when the key or value is missing or unreadable: an empty value is not a missing one.
std::optional<std::wstring> FindRegString(Platform& os, HKEY root, const std::wstring& keyPath,
                                          const std::wstring& name);

// Stores text as a string value, creating the key if needed. The system treats an empty value as absent,
// so the empty text is stored as one space. Returns the registry's error code, 0 exactly when the value was stored.
long SetRegString(Platform& os, HKEY root, const std::wstring& keyPath, const std::wstring& name,
                  const std::wstring& value);

} // namespace bw
