// TFontInfoPanel: what a font file's tables say about the font, as a scrolling
// panel of labels in sections laid out for the panel's width. The file is read
// by a worker (TFontInfoPanelThread); the labels are filled and placed here,
// on the window thread, always with the values of CurrentFont.
//
// The panel keeps its own copy of the font it shows, never the list's record:
// a rescan frees every record and then lets window messages run, while a
// worker's step may still be on its way.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "data/FontFileInfo.h"
#include "ui/Handles.h"
#include "ui/Lifetime.h"
#include "ui/Panel.h"
#include "ui/StdControls.h"
#include "views/FontInfoPanelLabels.h"
#include "views/FontInfoPanelThread.h"
#include "views/model/FontInfoLayout.h"
#include "widgets/LinkLabel.h"

// The bold of `font` (of the interface font when null): the headers' font.
TFontHandle BoldFontOf(HFONT font);

class TFontInfoPanel : public TCustomControl {
 public:
  explicit TFontInfoPanel(TControl& parent);
  ~TFontInfoPanel() override;

  // Starts showing a copy of `record` as it stands (null for none): hides the
  // panel and starts a worker, unless that font is shown already.
  void ShowFont(const TFontFileInfo* record);
  // Whether `record` (null: none) is the font shown or on its way.
  bool Shows(const TFontFileInfo* record) const;
  // The panel's copy of that font, as it was given; null for none.
  const TFontFields* CurrentFont() const { return font_ ? &*font_ : nullptr; }

  // The keys scroll only while this is on (as the font window has it).
  bool VertScrollBarVisible = true;

  // What the panel shows, for its owner and its tests.
  struct TSectionView {
    TLabel* header;
    TInfoLine* line;
    std::vector<TLabel*> captions;
    std::vector<TInfoText*> values;
    TLinkLabel* link;  // null for sections without one
  };
  // Made with the first font or the first look: a font window that never
  // shows its information page never pays for its hundred labels.
  const TSectionView& Section(size_t index) {
    MakeLabels();
    return views_[index];
  }
  int ScrollPos() const { return vertPos_; }
  int ContentHeight() const { return layout_.height; }
  bool HorzScrollShown() const { return layout_.horzScroll; }

  // Steps of the workers that reached the panel, and those dropped because a
  // later ShowFont made them stale.
  struct TStepCounts {
    int clears = 0;
    int fills = 0;
    int layouts = 0;
    int dropped = 0;
  };
  const TStepCounts& StepCounts() const { return counts_; }
  int LayoutCount() const { return layoutCount_; }
  size_t RunningWorkers() const;
  // Stands in for starting the workers' threads (tests).
  void SetThreadStarter(TThreadStarter start) { startThread_ = std::move(start); }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void DestroyHandle() override;

 private:
  class TMeasure;
  void MakeLabels();
  // A worker's step is waiting in the channel.
  static constexpr UINT kStepMessage = WM_APP + 0x3B2;
  void ClearValues();
  void FillValues(const TFontFields& fields);
  void LayoutSections();
  void ApplySteps();
  void Apply(TInfoStep& step);
  void Resized();
  void UpdateScrollBars();
  void ScrollTo(int horz, int vert);
  void Scroll(int bar, int code);
  void Reap();

  TFontHandle boldFont_;
  std::vector<std::unique_ptr<TControl>> owned_;
  std::vector<TSectionView> views_;
  std::vector<fontinfo::TSectionValues> shown_;  // what the value labels hold
  std::optional<TFontFields> font_;
  int lastLayoutWidth_ = 0;
  uint64_t ticket_ = 0;
  uint64_t filledTicket_ = 0;  // the ShowFont whose values the labels hold
  fontinfo::TInfoLayout layout_;
  int horzPos_ = 0;
  int vertPos_ = 0;
  TScopeCount layingOut_;
  TScopeCount applying_;
  bool layoutPending_ = false;
  TStepCounts counts_;
  TThreadStarter startThread_;
  int layoutCount_ = 0;
  std::shared_ptr<TInfoChannel> channel_;
  std::vector<std::unique_ptr<TFontInfoPanelThread>> workers_;
};
