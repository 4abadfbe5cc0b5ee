#pragma once
// What the system says about an error code, for messages to the user and the log.
#include <cstdint>
#include <string>

namespace bw {

// The system's own text for the code in the user's language, with the code after it: "拒绝访问。(5)".
std::wstring SystemErrorText(std::uint32_t code);

} // namespace bw
