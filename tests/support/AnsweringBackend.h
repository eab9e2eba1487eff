// The product's backend for tests under Wine, with the user's side played
// by the test: message boxes are recorded and answered from a queue (then
// OK), and Shift is held when the test says so.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "sys/memory/MemoryPrinter.h"
#include "sys/win32/Win32Backend.h"

class TAnsweringBackend : public sys::Win32Backend {
 public:
  struct Box {
    std::wstring text;
    std::wstring caption;
    unsigned flags = 0;
  };

  int ShowMessageBox(std::wstring_view text, std::wstring_view caption, unsigned flags) override {
    boxes.push_back({std::wstring(text), std::wstring(caption), flags});
    if (answers.empty()) return sys::kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool ShiftDown() override { return shift || Win32Backend::ShiftDown(); }
  bool ShowFileProperties(std::string_view path) override {
    propertiesShown.emplace_back(path);
    return true;
  }
  // Jobs go to `printer` when the test gives one.
  std::unique_ptr<sys::PrintJob> StartPrintJob(std::wstring_view title) override {
    if (!printer) return Win32Backend::StartPrintJob(title);
    uint32_t error = 0;
    auto job = printer->Start(title, error);
    if (!job) SetLastError(error);
    return job;
  }

  std::vector<Box> boxes;
  std::deque<int> answers;
  bool shift = false;
  sys::MemoryPrinter* printer = nullptr;
  std::vector<std::string> propertiesShown;
};
