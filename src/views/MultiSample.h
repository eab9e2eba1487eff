// TMultiSample: one sample line per font of a font file list, so that many
// fonts can be compared, each row with a grey line under it naming the font
// and its file. Fonts that are not installed are added to the system's font
// table only while their rows are in view (and for a moment while a rebuild
// measures them); every font added goes again when the control goes.
//
// The rows reflect the list as of the last rebuild: the control does not
// watch the list, its owner calls Reload (or sets FontFileList) after the
// list changed. Changes inside BeginUpdate / EndUpdate cost one rebuild.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/FontFileList.h"
#include "data/FontKind.h"
#include "data/NameFilter.h"
#include "ui/Handles.h"
#include "ui/Panel.h"
#include "views/MultiSampleGrid.h"
#include "views/model/MultiSampleFonts.h"
#include "views/model/MultiSampleRows.h"

class TMultiSample : public TCompPanel {
 public:
  explicit TMultiSample(TControl& parent);
  ~TMultiSample() override;

  // Not owned; must outlive the control or be set to none first.
  TFontFileList* FontFileList() const { return list_; }
  void SetFontFileList(TFontFileList* list);
  int FontSize() const { return fontSize_; }
  void SetFontSize(int points);
  COLORREF FontColor() const { return fontColor_; }
  void SetFontColor(COLORREF color);
  COLORREF FontBgColor() const { return fontBgColor_; }
  void SetFontBgColor(COLORREF color);
  COLORREF FontInfoColor() const { return fontInfoColor_; }
  void SetFontInfoColor(COLORREF color);
  // The sample text (the panel itself has no caption).
  const std::wstring& Text() const { return text_; }
  void SetText(std::wstring_view text);
  // Only chooses how a text change is handled: false measures the new text
  // in the widest font alone, true rebuilds every row. Samples are always
  // drawn on one line.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  TFontKinds Filter() const { return filter_; }
  void SetFilter(TFontKinds filter);
  // Only the fonts whose names hold the text, as in the font list.
  const std::string& NameFilter() const { return nameFilter_.Text(); }
  void SetNameFilter(std::string_view text);

  void BeginUpdate();
  void EndUpdate();
  // Rebuilds now, whatever changed (the same list changed its contents).
  void Reload();
  void MakeRowVisible(int index);
  // The record of the row under the last left-button press, or none.
  TFontFileInfo* ClickedFont() const;
  int ClickedRow() const { return clickedRow_; }

  // OnClick (inherited) fires on every left-button press over the rows,
  // after ClickedFont is known. OnDblClick is the grid's double click.
  std::function<void()> OnDblClick;

  TMultiSampleGrid& Grid() { return grid_; }
  // Rebuilds so far, for owners that batch their changes.
  int RebuildCount() const { return rebuilds_; }
  // The full file names the control has added for the rows in view.
  std::vector<std::string> LoadedFiles() const { return fonts_.Files(); }

 private:
  void Changed(bool rebuild);
  void Rebuild();
  // Adds the fonts of the rows in view and measures those rows, until the
  // rows in view stay the same.
  void UpdateLoaded();
  // Measures the rows [first, last) not measured yet, their fonts added for
  // the measurement unless `added` says the view holds them; true when the
  // grid's rows or column changed.
  bool MeasureRows(int first, int last, bool added);
  // The rows from the end that fill the view: the scroll range depends on them.
  int LastPageFirst() const;
  void UpdateGeometry();
  void QuickWidth();
  void DrawCell(HDC dc, int row, const RECT& cell);
  TFontHandle SampleFont(const TSampleRow& row) const;

  TMultiSampleGrid grid_;
  TSampleFonts fonts_;
  std::vector<TSampleRow> rows_;
  TFontFileList* list_ = nullptr;
  int fontSize_ = 18;
  COLORREF fontColor_;
  COLORREF fontBgColor_;
  COLORREF fontInfoColor_;
  std::wstring text_ = L"The quick brown fox jumps over the lazy dog";
  bool wordWrap_ = false;
  TFontKinds filter_ = kAllFontKinds;
  TNameFilter nameFilter_;
  bool needsRebuild_ = true;
  bool updating_ = false;
  int widestRow_ = -1;  // the row whose sample is widest, when wider than the text alone
  int infoHeight_ = 0;  // of the view's own font
  int sampleWidth_ = 0;  // the widest sample or information line measured
  bool syncing_ = false;
  std::wstring longestInfo_;
  int clickedRow_ = 0;
  int rebuilds_ = 0;
};
