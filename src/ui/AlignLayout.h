// Where aligned controls go inside their parent: top ones stack down from the
// top, bottom ones up from the bottom, then left and right ones share what is
// left, and client ones fill the rest. Pure arithmetic, so it is tested alone.
#pragma once

#include <vector>

#include "ui/Types.h"

struct TAlignItem {
  TAlign align = alNone;
  TRect bounds;  // in: the current bounds (their sizes are kept); out: the new ones
  bool visible = true;
};

// Items keep their order within each kind of alignment. Invisible items and
// alNone items are left alone. Sizes never go negative.
void AlignItems(const TRect& area, std::vector<TAlignItem>& items);
