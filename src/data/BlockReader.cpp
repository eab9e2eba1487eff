#include "data/BlockReader.h"

#include <algorithm>
#include <cstring>

bool TBlockReader::Fill(uint64_t pos) {
  size_t got = 0;
  blockValid_ = false;
  if (!file_.ReadAt(pos, block_.data(), block_.size(), got)) return false;
  blockPos_ = pos;
  blockLen_ = std::min(got, block_.size());
  blockValid_ = true;
  if (blockLen_ < block_.size()) end_ = std::min(end_, pos + blockLen_);
  return true;
}

bool TBlockReader::ReadOutside(uint64_t pos, void* dest, size_t size, size_t& got) {
  got = 0;
  if (size == 0 || pos >= end_) return true;
  auto fromBlock = [&]() {
    size_t avail = static_cast<size_t>(blockPos_ + blockLen_ - pos);
    got = std::min(size, avail);
    std::memcpy(dest, block_.data() + (pos - blockPos_), got);
  };
  bool inBlock = blockValid_ && pos >= blockPos_ && pos < blockPos_ + blockLen_;
  // The block answers when it holds all the bytes, or all there are.
  if (inBlock && (pos + size <= blockPos_ + blockLen_ || blockPos_ + blockLen_ >= end_)) {
    fromBlock();
    return true;
  }
  if (size <= block_.size() && Fill(pos)) {
    fromBlock();
    return true;
  }
  // Too big for the block, or the block's read failed: the system may still
  // give exactly the bytes wanted.
  size_t direct = 0;
  if (!file_.ReadAt(pos, dest, size, direct)) return false;
  got = std::min(direct, size);
  if (got < size) end_ = std::min(end_, pos + got);
  return true;
}

uint32_t TBlockReader::Field(uint64_t pos, size_t size, bool* failed) {
  uint8_t bytes[4];
  size_t got = 0;
  if (!Read(pos, bytes, size, got)) {
    if (failed) *failed = true;
    return 0;
  }
  if (got < size) return 0;
  uint32_t value = 0;
  for (size_t i = 0; i < size; ++i) value = (value << 8) | bytes[i];
  return value;
}
