#pragma once
// Numbers of the program's own resources used by the dialogs. They match resources/resource.h; that header is
// not included here because its IDC_HAND would replace the system's IDC_HAND of <winuser.h>.
namespace bw {

inline constexpr int kAppIconId = 1;        // icon group IDI_APP
inline constexpr int kEmblemBitmapId = 103; // bitmap IDB_EMBLEM, 52 x 52
inline constexpr int kHandCursorId = 101;   // cursor group IDC_HAND

} // namespace bw
