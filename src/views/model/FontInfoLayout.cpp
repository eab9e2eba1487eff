#include "views/model/FontInfoLayout.h"

#include <algorithm>

namespace fontinfo {

namespace {

constexpr int kLineOffset = 6;      // the separator's top below the header's
constexpr int kLineGap = 5;         // between the header and its separator
constexpr int kLineHeight = 2;
constexpr int kHeaderSpace = 10;    // below a header
constexpr int kValueIndent = 10;    // between the widest caption and the values
constexpr int kSectionSpace = 15;   // after a section
constexpr int kFlagsSpace = 8;      // before the style flags

class TLayouter {
 public:
  TLayouter(int width, const std::vector<TSectionValues>& values, TInfoMeasure& measure)
      : w_(width), values_(values), m_(measure) {}

  TSectionPlace Section(size_t s) {
    const TSectionDef& def = Sections()[s];
    TSectionPlace place;
    const TSectionValues& v = s < values_.size() ? values_[s] : kNone;
    if (def.kind == TSectionKind::Rows) {
      place.captions.resize(def.captions.size());
      place.values.resize(def.captions.size());
    } else {
      place.values.resize(1);
    }
    if (!SectionShown(def, v)) return place;  // everything hidden, no space taken

    Header(s, place);
    if (def.kind == TSectionKind::Rows) {
      Rows(s, def, place);
      if (s + 1 < Sections().size()) y_ += m_.Scaled(kSectionSpace);
      return place;
    }
    const std::string& text = v.values.empty() ? kEmpty : v.values.front();
    place.values[0] = {0, y_, w_, TrimBlanks(text).empty() ? 0 : m_.WrappedHeight(s, w_), true};
    y_ += place.values[0].height;
    if (def.kind == TSectionKind::Linked) {
      place.link = {0, y_, w_, v.link.empty() ? 0 : m_.LinkHeight(s, w_), true};
      y_ += place.link.height;
    }
    y_ += m_.Scaled(kSectionSpace);
    return place;
  }

  int Y() const { return y_; }

 private:
  void Header(size_t s, TSectionPlace& place) {
    const int height = m_.HeaderHeight(s);
    place.header = {0, y_, m_.HeaderWidth(s), height, true};
    const int left = place.header.width + m_.Scaled(kLineGap);
    place.line = {left, y_ + m_.Scaled(kLineOffset), std::max(0, w_ - left), m_.Scaled(kLineHeight), true};
    y_ += height + m_.Scaled(kHeaderSpace);
  }

  void Rows(size_t s, const TSectionDef& def, TSectionPlace& place) {
    int captionWidth = 0;
    for (size_t r = 0; r < def.captions.size(); ++r)
      captionWidth = std::max(captionWidth, m_.CaptionWidth(s, r));
    const int valueLeft = captionWidth + m_.Scaled(kValueIndent);
    const int valueWidth = std::max(0, w_ - valueLeft);
    for (size_t r = 0; r < def.captions.size(); ++r) {
      if (def.gapBefore != 0 && r == def.gapBefore) y_ += m_.Scaled(kFlagsSpace);
      place.captions[r] = {0, y_, m_.CaptionWidth(s, r), m_.CaptionHeight(s, r), true};
      place.values[r] = {valueLeft, y_, valueWidth, m_.ValueHeight(s, r, valueWidth), true};
      y_ += std::max(place.captions[r].height, place.values[r].height);
    }
  }

  static inline const TSectionValues kNone{};
  static inline const std::string kEmpty{};
  int w_;
  int y_ = 0;
  const std::vector<TSectionValues>& values_;
  TInfoMeasure& m_;
};

}  // namespace

TInfoLayout LayoutSections(int panelWidth, int vertScrollWidth,
                           const std::vector<TSectionValues>& values, TInfoMeasure& measure) {
  TInfoLayout layout;
  layout.width = panelWidth - vertScrollWidth - measure.Scaled(4);
  const int minWidth = measure.Scaled(kMinLayoutWidth);
  layout.horzScroll = layout.width < minWidth;
  if (layout.horzScroll) layout.width = minWidth;
  TLayouter layouter(layout.width, values, measure);
  for (size_t s = 0; s < Sections().size(); ++s) layout.sections.push_back(layouter.Section(s));
  layout.height = layouter.Y();
  return layout;
}

}  // namespace fontinfo
