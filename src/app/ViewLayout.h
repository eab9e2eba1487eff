// Measures the view pages' layout shares.
#pragma once

#include <string_view>

#include "ui/Win.h"

// A caption's width in `font`, without its "&" and with `suffix` after it.
int CaptionWidth(HFONT font, std::wstring_view caption, std::wstring_view suffix);
