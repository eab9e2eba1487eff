#include "sys/memory/MemoryPrinter.h"

#include "sys/sys.h"

namespace sys {

class MemoryPrintJob : public PrintJob {
 public:
  explicit MemoryPrintJob(MemoryPrinter& printer) : printer_(printer) {}
  ~MemoryPrintJob() override { End(); }

  PrinterCaps Caps() override { return printer_.caps_; }

  bool NewPage() override {
    if (printer_.newPageFailsAt_ == 0) {
      printer_.newPageFailsAt_ = -1;
      Current().SetLastError(printer_.newPageError_);
      return false;
    }
    if (printer_.newPageFailsAt_ > 0) --printer_.newPageFailsAt_;
    Record({.kind = PrintCall::kNewPage});
    return true;
  }

  bool UseFont(const PrintFont& font) override {
    font_ = font;
    Record({.kind = PrintCall::kUseFont, .font = font});
    return true;
  }

  int TextHeight(std::string_view text) override {
    if (printer_.textHeight) return printer_.textHeight(font_, text);
    const int em = font_.points * printer_.caps_.ppi / 72;
    return em + em / 5;
  }

  bool FillRect(const PrintRect& rect, uint32_t color) override {
    Record({.kind = PrintCall::kFillRect, .rect = rect, .color = color});
    return true;
  }

  bool Text(int x, int y, std::string_view text, const PrintRect& clip, uint32_t color) override {
    Record({.kind = PrintCall::kText, .font = font_, .rect = clip, .x = x, .y = y,
            .text = std::string(text), .color = color});
    return true;
  }

  bool End() override {
    if (ended_) return true;
    ended_ = true;
    ++printer_.jobsEnded_;
    Record({.kind = PrintCall::kEndDoc});
    return true;
  }

 private:
  void Record(PrintCall call) { printer_.calls_.push_back(std::move(call)); }

  MemoryPrinter& printer_;
  PrintFont font_;
  bool ended_ = false;
};

MemoryPrinter::MemoryPrinter() {
  caps_.ppi = 300;
  caps_.physicalWidth = 2480;
  caps_.physicalHeight = 3508;
  caps_.physicalOffsetX = 50;
  caps_.physicalOffsetY = 50;
  caps_.horzRes = 2380;
  caps_.vertRes = 3408;
}

std::unique_ptr<PrintJob> MemoryPrinter::Start(std::wstring_view title, uint32_t& error) {
  if (startError_ != 0) {
    error = startError_;
    return nullptr;
  }
  ++jobsStarted_;
  calls_.push_back({.kind = PrintCall::kStartDoc, .title = std::wstring(title)});
  return std::make_unique<MemoryPrintJob>(*this);
}

}  // namespace sys
