#include "data/NameFilter.h"

namespace {

char UpperByte(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

TNameFilter::TNameFilter(std::string_view text) : text_(text) {
  folded_.reserve(text.size());
  trail_.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const bool isLead = lead_(text[i]);
    const bool pair = isLead && i + 1 < text.size();
    endsInLead_ = isLead && !pair;
    folded_.push_back(UpperByte(text[i]));
    trail_.push_back(false);
    if (pair) {
      folded_.push_back(text[++i]);
      trail_.push_back(true);
    }
  }
}

bool TNameFilter::Matches(std::string_view name) const {
  if (folded_.empty()) return true;
  const size_t length = folded_.size();
  // Step from character to character: a match begins only where one does.
  for (size_t at = 0; at + length <= name.size(); at += lead_(name[at]) && at + 1 < name.size() ? 2 : 1) {
    if (MatchesAt(name, at)) return true;
  }
  return false;
}

// Text and name are split into characters alike as far as their bytes agree,
// so the text's second bytes meet the name's.
bool TNameFilter::MatchesAt(std::string_view name, size_t at) const {
  if (endsInLead_ && at + folded_.size() != name.size()) return false;
  for (size_t i = 0; i < folded_.size(); ++i) {
    const char c = name[at + i];
    if ((trail_[i] ? c : UpperByte(c)) != folded_[i]) return false;
  }
  return true;
}
