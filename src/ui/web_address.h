#pragma once

namespace bw {

// The maker's web page: shown by the About window's link and opened by it and by the main window's banner.
inline constexpr const wchar_t* kMakerWebAddress = L"http://www.brandwick.example/";

} // namespace bw
