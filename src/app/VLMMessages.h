// Notifications from a font window to the main window. None carries
// parameters.
#pragma once

#include "ui/Win.h"

inline constexpr UINT UM_LISTCHANGED = WM_USER + 1001;
inline constexpr UINT UM_CLIPBOARDCHANGED = WM_USER + 1002;
inline constexpr UINT UM_FOCUSCHANGED = WM_USER + 1003;
inline constexpr UINT UM_EDITSELCHANGED = WM_USER + 1004;
inline constexpr UINT UM_CHILDACTIVATED = WM_USER + 1005;
inline constexpr UINT UM_OPTIONSCHANGED = WM_USER + 1006;
