#include "views/FontInfoPanel.h"

#include <algorithm>

#include "sys/codepage.h"
#include "ui/Application.h"
#include "ui/Gdi.h"

using fontinfo::Sections;
using fontinfo::TSectionKind;

TFontHandle BoldFontOf(HFONT font) {
  LOGFONTW lf{};
  GetObjectW(font ? font : ui::DefaultFont(), sizeof lf, &lf);
  lf.lfWeight = FW_BOLD;
  return TFontHandle(CreateFontIndirectW(&lf));
}

namespace {

template <typename T, typename... Args>
T* Make(std::vector<std::unique_ptr<TControl>>& owned, TControl& parent, Args&&... args) {
  auto control = std::make_unique<T>(parent, std::forward<Args>(args)...);
  T* raw = control.get();
  owned.push_back(std::move(control));
  return raw;
}

}  // namespace

TFontInfoPanel::TFontInfoPanel(TControl& parent)
    : TCustomControl(parent, WS_VSCROLL | WS_HSCROLL | WS_TABSTOP) {
  SetTabStop(true);
  boldFont_ = BoldFontOf(Font());
  shown_.resize(Sections().size());
  lastLayoutWidth_ = Width();
  channel_ = std::make_shared<TInfoChannel>(Handle(), kStepMessage);
  Hide();  // until a font is laid out
  UpdateScrollBars();
}

void TFontInfoPanel::MakeLabels() {
  if (!views_.empty() || !Handle()) return;
  for (const fontinfo::TSectionDef& def : Sections()) {
    TSectionView view{};
    view.header = Make<TLabel>(owned_, *this, def.header);
    view.header->SetFont(boldFont_.Get());
    view.line = Make<TInfoLine>(owned_, *this);
    for (std::wstring_view caption : def.captions) {
      view.captions.push_back(Make<TLabel>(owned_, *this, fontinfo::CaptionText(caption)));
      view.values.push_back(Make<TInfoText>(owned_, *this));
    }
    if (def.kind != TSectionKind::Rows) view.values.push_back(Make<TInfoText>(owned_, *this));
    view.link = def.kind == TSectionKind::Linked ? Make<TLinkLabel>(owned_, *this) : nullptr;
    views_.push_back(view);
  }
}

TFontInfoPanel::~TFontInfoPanel() {
  if (channel_) channel_->Close();
  workers_.clear();  // each waits for its thread, woken by the closed channel
}

void TFontInfoPanel::DestroyHandle() {
  // Before the window goes, so that no step is posted to a handle that may be reused.
  if (channel_) channel_->Close();
  TCustomControl::DestroyHandle();
}

size_t TFontInfoPanel::RunningWorkers() const {
  return static_cast<size_t>(std::count_if(workers_.begin(), workers_.end(),
                                           [](const auto& w) { return !w->Finished(); }));
}

void TFontInfoPanel::Reap() {
  std::erase_if(workers_, [](const auto& w) { return w->Finished(); });
}

void TFontInfoPanel::ShowFont(const TFontFileInfo* record) {
  if (Shows(record)) return;
  MakeLabels();
  Hide();
  if (record) {
    font_ = record->Snapshot();
  } else {
    font_.reset();
  }
  Reap();
  TFontInfoPanelThread::TJob job{++ticket_, font_};
  try {
    workers_.push_back(std::make_unique<TFontInfoPanelThread>(channel_, std::move(job), startThread_));
  } catch (const std::exception&) {
    // No thread to give: this thread shows the font, as for a record no
    // worker read, when the steps come round.
    for (const TInfoStepKind kind : {TInfoStepKind::Clear, TInfoStepKind::Fill, TInfoStepKind::Layout})
      channel_->Post({ticket_, kind, {}});
  }
}

bool TFontInfoPanel::Shows(const TFontFileInfo* record) const {
  if (!record || !font_) return !record && !font_;
  bool same = false;
  record->LookAtFields([&](const TFontFields& fields) { same = SameListedFont(fields, *font_); });
  return same;
}

void TFontInfoPanel::ApplySteps() {
  // Steps that arrive while one is applied (fill and layout let messages run)
  // wait their turn, so that one worker's steps keep their order.
  if (applying_.Active() || channel_->Closed()) return;
  const TWeakRef<TFontInfoPanel> alive(this);
  {
    const auto scope = applying_.Hold();
    for (std::deque<TInfoStep> steps = channel_->Take(); !steps.empty(); steps = channel_->Take()) {
      for (TInfoStep& step : steps) {
        Apply(step);
        if (!alive || channel_->Closed()) return;
      }
    }
  }
  Reap();
  if (layoutPending_) Resized();
}

void TFontInfoPanel::Apply(TInfoStep& step) {
  // A later ShowFont started another worker, which does all this for the
  // font shown now.
  if (step.ticket != ticket_) {
    ++counts_.dropped;
    return;
  }
  switch (step.kind) {
    case TInfoStepKind::Clear:
      ++counts_.clears;
      ClearValues();
      break;
    case TInfoStepKind::Fill:
      ++counts_.fills;
      if (!font_) break;
      // A worker that could not read (out of memory) leaves the reading to this thread.
      if (!step.read && TablesUnread(*font_)) ReadFontFields(*font_, true);
      FillValues(step.read ? *step.read : *font_);
      break;
    case TInfoStepKind::Layout:
      ++counts_.layouts;
      LayoutSections();
      break;
  }
}

void TFontInfoPanel::ClearValues() {
  Hide();
  for (TSectionView& view : views_) {
    for (TInfoText* value : view.values) value->SetText(L"");
    if (view.link) {
      view.link->SetText(L"");
      view.link->SetUrl("");
    }
  }
  std::fill(shown_.begin(), shown_.end(), fontinfo::TSectionValues{});
  filledTicket_ = 0;
}

void TFontInfoPanel::FillValues(const TFontFields& fields) {
  const uint64_t ticket = ticket_;
  std::vector<fontinfo::TSectionValues> values = fontinfo::SectionValues(fields);
  const TWeakRef<TFontInfoPanel> alive(this);
  for (size_t s = 0; s < views_.size(); ++s) {
    ui::ProcessMessages();
    if (!alive || ticket != ticket_) return;  // gone, or another font is on its way
    TSectionView& view = views_[s];
    const bool rows = Sections()[s].kind == TSectionKind::Rows;
    for (size_t r = 0; r < view.values.size(); ++r) {
      if (!rows) values[s].values[r] = fontinfo::TrimBlanks(values[s].values[r]);
      view.values[r]->SetText(sys::Widen(values[s].values[r]));
    }
    if (view.link) {
      view.link->SetText(sys::Widen(values[s].link));
      view.link->SetUrl(values[s].link);
    }
    shown_[s] = std::move(values[s]);
  }
  filledTicket_ = ticket;
}
