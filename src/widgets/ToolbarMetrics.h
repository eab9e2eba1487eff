// The measures of a tool bar's frame, in pixels.
#pragma once

namespace toolbar97 {

constexpr int kBorder = 2;          // the raised edge and a pixel of space, on every side
constexpr int kGrip = 9;            // the grip's two lines and the space after them
constexpr int kSeparator = 6;
constexpr int kEmptyThickness = 22; // a bar without buttons still shows its grip

}  // namespace toolbar97
