// Where the information panel's labels go for a panel width: the sections one
// under another, caption rows in two columns, empty sections left out.
#pragma once

#include <cstddef>
#include <vector>

#include "views/model/FontInfoModel.h"

namespace fontinfo {

// The narrowest width the sections are laid out for; a narrower panel scrolls.
inline constexpr int kMinLayoutWidth = 200;

struct TBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = false;
  bool operator==(const TBox&) const = default;
};

struct TSectionPlace {
  TBox header;
  TBox line;
  std::vector<TBox> captions;
  std::vector<TBox> values;  // the rows' values; for Single and Linked the one wrapped value
  TBox link;
};

struct TInfoLayout {
  int width = 0;             // what the sections were laid out for
  bool horzScroll = false;   // the panel is narrower than that
  int height = 0;            // the bottom of the last row
  std::vector<TSectionPlace> sections;
};

// The sizes of the labels, as the panel's fonts draw them.
class TInfoMeasure {
 public:
  virtual ~TInfoMeasure() = default;
  virtual int HeaderWidth(size_t section) = 0;
  virtual int HeaderHeight(size_t section) = 0;
  virtual int CaptionWidth(size_t section, size_t row) = 0;
  virtual int CaptionHeight(size_t section, size_t row) = 0;
  // A row's value, wrapped at `width`.
  virtual int ValueHeight(size_t section, size_t row, int width) = 0;
  // A Single or Linked section's value trimmed of blanks, wrapped at `width`.
  virtual int WrappedHeight(size_t section, int width) = 0;
  virtual int LinkHeight(size_t section, int width) = 0;
  // A gap of `pixels` at 96 dpi at the panel's scale.
  virtual int Scaled(int pixels) { return pixels; }
};

// `values` as SectionValues gives them; `vertScrollWidth` is the system's
// vertical scroll bar width, always kept free.
TInfoLayout LayoutSections(int panelWidth, int vertScrollWidth,
                           const std::vector<TSectionValues>& values, TInfoMeasure& measure);

}  // namespace fontinfo
