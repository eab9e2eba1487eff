// The memory backend's printer: it records every call of its jobs, so that a
// test sees the pages as the program drew them, and fails on demand.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sys/Print.h"

namespace sys {

struct PrintCall {
  enum Kind { kStartDoc, kNewPage, kUseFont, kFillRect, kText, kEndDoc };
  Kind kind = kStartDoc;
  std::wstring title;  // kStartDoc
  PrintFont font;      // kUseFont; for kText the font it was written in
  PrintRect rect;      // kFillRect, and kText's clipping rectangle
  int x = 0;           // kText
  int y = 0;
  std::string text;
  uint32_t color = 0;  // kFillRect, kText
};

class MemoryPrinter {
 public:
  // 300 pixels per inch, A4, with the printable area 50 pixels inside the sheet.
  MemoryPrinter();

  void SetCaps(const PrinterCaps& caps) { caps_ = caps; }
  // Gone: jobs fail with kErrorNoPrinter, or with `error`.
  void Remove(uint32_t error = kErrorNoPrinter) { startError_ = error; }
  void Restore() { startError_ = 0; }
  // The page after `pages` more new pages fails with `error`.
  void FailNewPage(int pages, uint32_t error) { newPageFailsAt_ = pages, newPageError_ = error; }
  // The height of a text in a font; by default the font's em in pixels plus a fifth.
  std::function<int(const PrintFont&, std::string_view)> textHeight;

  const std::vector<PrintCall>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  int JobsStarted() const { return jobsStarted_; }
  int JobsEnded() const { return jobsEnded_; }

  // For the backend: null with `error` set when the job is refused.
  std::unique_ptr<PrintJob> Start(std::wstring_view title, uint32_t& error);

 private:
  friend class MemoryPrintJob;
  PrinterCaps caps_;
  uint32_t startError_ = 0;
  int newPageFailsAt_ = -1;
  uint32_t newPageError_ = 0;
  std::vector<PrintCall> calls_;
  int jobsStarted_ = 0;
  int jobsEnded_ = 0;
};

}  // namespace sys
