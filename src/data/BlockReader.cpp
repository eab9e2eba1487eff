#include "data/BlockReader.h"

#include <algorithm>
#include <cstring>

bool TBlockReader::Fetch(uint64_t pos, size_t size) {
  if (size == 0 || pos >= end_) return true;
  if (spanCount_ >= kMaxSpans || size > kMaxSpanBytes - spanBytes_) return false;
  auto data = std::make_unique_for_overwrite<uint8_t[]>(size);
  size_t got = 0;
  if (!file_.ReadAt(pos, data.get(), size, got)) return false;
  got = std::min(got, size);
  SawEnd(pos, size, got);
  if (got > 0) {
    spans_[spanCount_++] = {pos, got, std::move(data)};
    spanBytes_ += got;
  }
  return true;
}

const uint8_t* TBlockReader::Holding(uint64_t pos, size_t& avail) const {
  for (size_t i = 0; i < spanCount_; ++i) {
    const Span& s = spans_[i];
    if (pos >= s.pos && pos < s.pos + s.len) {
      avail = static_cast<size_t>(s.pos + s.len - pos);
      return s.data.get() + (pos - s.pos);
    }
  }
  if (blockValid_ && pos >= blockPos_ && pos < blockPos_ + blockLen_) {
    avail = static_cast<size_t>(blockPos_ + blockLen_ - pos);
    return block_.data() + (pos - blockPos_);
  }
  avail = 0;
  return nullptr;
}

size_t TBlockReader::Held(uint64_t pos) const {
  size_t avail = 0;
  Holding(pos, avail);
  return avail;
}

bool TBlockReader::Fill(uint64_t pos) {
  size_t got = 0;
  blockValid_ = false;
  if (!file_.ReadAt(pos, block_.data(), block_.size(), got)) return false;
  blockPos_ = pos;
  blockLen_ = std::min(got, block_.size());
  blockValid_ = true;
  SawEnd(pos, block_.size(), blockLen_);
  return true;
}

bool TBlockReader::ReadOutside(uint64_t pos, void* dest, size_t size, size_t& got) {
  got = 0;
  if (size == 0 || pos >= end_) return true;
  // A buffer answers when it holds all the bytes, or all there are.
  size_t avail = 0;
  if (const uint8_t* p = Holding(pos, avail); p && (avail >= size || pos + avail >= end_)) {
    got = std::min(size, avail);
    std::memcpy(dest, p, got);
    return true;
  }
  if (size <= block_.size() && Fill(pos)) {
    got = std::min(size, blockLen_);
    std::memcpy(dest, block_.data(), got);
    return true;
  }
  // Too big for the block, or the block's read failed: the system may still
  // give exactly the bytes wanted.
  size_t direct = 0;
  if (!file_.ReadAt(pos, dest, size, direct)) return false;
  got = std::min(direct, size);
  SawEnd(pos, size, got);
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
