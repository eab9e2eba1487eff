// A few strings kept in one heap block: a record of a list of many thousand
// fonts pays one allocation for its names, and none when all are empty.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

template <size_t N>
class TPackedTexts {
 public:
  std::string_view Get(size_t i) const {
    if (!block_) return {};
    uint32_t ends[N];
    std::memcpy(ends, block_.get(), sizeof ends);
    const uint32_t from = i == 0 ? 0 : ends[i - 1];
    return {block_.get() + sizeof ends + from, ends[i] - from};
  }

  void Set(const std::array<std::string_view, N>& texts) {
    uint32_t ends[N];
    size_t total = 0;
    for (size_t i = 0; i < N; ++i) ends[i] = static_cast<uint32_t>(total += texts[i].size());
    if (total == 0) {
      block_.reset();
      return;
    }
    std::unique_ptr<char[]> block(new char[sizeof ends + total]);
    std::memcpy(block.get(), ends, sizeof ends);
    char* at = block.get() + sizeof ends;
    for (const std::string_view text : texts) {
      if (text.empty()) continue;  // an empty view's data may be null, which memcpy may not take
      std::memcpy(at, text.data(), text.size());
      at += text.size();
    }
    block_ = std::move(block);
  }

 private:
  std::unique_ptr<char[]> block_;
};
