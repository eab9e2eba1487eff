// Font file records as JSON lines, strings converted from the data code page
// to UTF-8.
#pragma once

#include <cstdio>
#include <string>

#include "data/FontFileInfo.h"

// The record as one JSON object, keys in the record's field order, no
// newline, appended to `out`.
void AppendRecordJson(std::string& out, const TFontFields& fields);
// The list modes' object: FileName, FontName, Bad, Installed and Bodgey.
void AppendListRecordJson(std::string& out, const TFontFields& fields);

// Lines gathered in one buffer and written in large pieces: a write per
// record would cost more than the record's JSON.
class TJsonLines {
 public:
  explicit TJsonLines(FILE* stream) : stream_(stream) { text.reserve(kFlushAt + 8192); }
  ~TJsonLines() { Flush(); }
  TJsonLines(const TJsonLines&) = delete;
  TJsonLines& operator=(const TJsonLines&) = delete;

  // Ends the line appended to `text`, writing the buffer when it is full.
  void EndLine() {
    text += '\n';
    if (text.size() >= kFlushAt) Flush();
  }
  void Flush();

  std::string text;

 private:
  static constexpr size_t kFlushAt = 256 * 1024;
  FILE* stream_;
};
