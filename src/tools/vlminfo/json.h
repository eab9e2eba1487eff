// Font file records as JSON lines, strings converted from the data code page
// to UTF-8.
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "data/FontFileInfo.h"

// Output text that grows with one bounds check and a copy: the appends of a
// std::string cost more than the JSON they write.
class TTextBuffer {
 public:
  // `n` more bytes at the end, for the caller to fill.
  char* Extend(size_t n) {
    if (n > capacity_ - size_) Grow(n);
    char* const at = data_.get() + size_;
    size_ += n;
    return at;
  }
  void append(const char* text, size_t n) {
    if (n > 0) std::memcpy(Extend(n), text, n);
  }
  void append(const char* begin, const char* end) { append(begin, static_cast<size_t>(end - begin)); }
  TTextBuffer& operator+=(std::string_view text) {
    append(text.data(), text.size());
    return *this;
  }
  TTextBuffer& operator+=(char c) {
    *Extend(1) = c;
    return *this;
  }
  const char* data() const { return data_.get(); }
  size_t size() const { return size_; }
  void Truncate(size_t size) { size_ = std::min(size, size_); }

 private:
  void Grow(size_t n);
  std::unique_ptr<char[]> data_;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

// The record as one JSON object, keys in the record's field order, no
// newline, appended to `out`; with `codePoints`, also "CodePoints", their
// number, and "Blocks", the number in each Unicode block that holds any.
void AppendRecordJson(TTextBuffer& out, const TFontFields& fields,
                      const std::vector<char32_t>* codePoints = nullptr);
// The list modes' object: FileName, FontName, Bad, Installed and Bodgey.
void AppendListRecordJson(TTextBuffer& out, const TFontFields& fields);

// Lines gathered in one buffer and written in large pieces: a write per
// record would cost more than the record's JSON.
class TJsonLines {
 public:
  explicit TJsonLines(FILE* stream) : stream_(stream) {}
  ~TJsonLines() { Flush(); }
  TJsonLines(const TJsonLines&) = delete;
  TJsonLines& operator=(const TJsonLines&) = delete;

  // Ends the line appended to `text`, writing the buffer when it is full.
  void EndLine() {
    text += '\n';
    if (text.size() >= kFlushAt) Flush();
  }
  void Flush();

  TTextBuffer text;

 private:
  static constexpr size_t kFlushAt = 64 * 1024;  // few writes, few fresh pages
  FILE* stream_;
};
