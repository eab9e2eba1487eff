// The text typed into a font list's filter box, as a test of font names: a
// name passes when it holds the text, ASCII letters compared without regard
// to case. In a double-byte code page the text is matched by whole
// characters: a match never starts on the second byte of a character, and
// that byte, which may be an ASCII letter's code, is compared exactly.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sys/PathText.h"

class TNameFilter {
 public:
  // The code page's lead bytes are taken when the filter is made.
  explicit TNameFilter(std::string_view text = {});

  bool Empty() const { return text_.empty(); }
  const std::string& Text() const { return text_; }
  bool Matches(std::string_view name) const;

 private:
  bool MatchesAt(std::string_view name, size_t at) const;

  sys::AnsiLeadBytes lead_;
  std::string text_;
  std::string folded_;      // ASCII letters upper-cased, second bytes kept
  std::vector<bool> trail_;  // which bytes of the text are second bytes
  // The text ends in a first byte without its second: it matches only a
  // name's last byte, never half of a character.
  bool endsInLead_ = false;
};
