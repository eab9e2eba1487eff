// Reads a file through a few buffers, so that neighbouring fields cost one
// system call, and remembers where the file ends so that nothing past it is
// asked of the system again. A caller that knows which ranges it will want
// (a table directory, the tables it names) fetches each with one call up
// front; every other field goes through one small block.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstddef>
#include <cstring>
#include <limits>
#include <memory>

#include "sys/sys.h"

class TBlockReader {
 public:
  static constexpr size_t kBlockSize = 4096;
  static constexpr size_t kMaxSpans = 8;
  static constexpr size_t kMaxSpanBytes = 1u << 20;  // all spans together

  explicit TBlockReader(sys::InFile& file) : file_(file) {}

  // Reads `size` bytes at `pos` with one system call and keeps them. False
  // when the system refused (nothing is kept), or the spans are used up.
  bool Fetch(uint64_t pos, size_t size);
  // How many bytes from `pos` on the kept spans and the block hold.
  size_t Held(uint64_t pos) const;
  // The `size` bytes at `pos` when they are held, else null.
  const uint8_t* Peek(uint64_t pos, size_t size) const { return Find(pos, size); }

  // Copies up to `size` bytes at `pos`; `got` is less than `size` at the end
  // of the file. False only when the system refused to read existing bytes.
  bool Read(uint64_t pos, void* dest, size_t size, size_t& got) {
    if (const uint8_t* p = size > 0 ? Find(pos, size) : nullptr) {
      std::memcpy(dest, p, size);
      got = size;
      return true;
    }
    return ReadOutside(pos, dest, size, got);
  }

  // Big-endian fields. A field cut off by the end of the file, or whose read
  // fails, is 0; `failed` (when given) is set on a refused read. Fields held
  // are taken straight from memory: a name table is hundreds of them.
  uint8_t U8(uint64_t pos, bool* failed = nullptr) {
    if (const uint8_t* p = Find(pos, 1)) return p[0];
    return static_cast<uint8_t>(Field(pos, 1, failed));
  }
  uint16_t U16(uint64_t pos, bool* failed = nullptr) {
    if (const uint8_t* p = Find(pos, 2)) return Be16(p);
    return static_cast<uint16_t>(Field(pos, 2, failed));
  }
  uint32_t U32(uint64_t pos, bool* failed = nullptr) {
    if (const uint8_t* p = Find(pos, 4)) return Be32(p);
    return Field(pos, 4, failed);
  }
  // The same from bytes in hand.
  static uint16_t Be16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
  static uint32_t Be32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
  }

 private:
  struct Span {
    uint64_t pos = 0;
    size_t len = 0;
    // Left unset until read into: clearing a name table first costs more
    // than reading it.
    std::unique_ptr<uint8_t[]> data;
  };

  // The `size` bytes at `pos` when one buffer holds all of them, else null.
  const uint8_t* Find(uint64_t pos, size_t size) const {
    if (pos >= end_) return nullptr;
    for (size_t i = 0; i < spanCount_; ++i) {
      const Span& s = spans_[i];
      if (pos >= s.pos && pos - s.pos + size <= s.len) return s.data.get() + (pos - s.pos);
    }
    if (blockValid_ && pos >= blockPos_ && pos - blockPos_ + size <= blockLen_)
      return block_.data() + (pos - blockPos_);
    return nullptr;
  }
  // The buffer holding the byte at `pos` and how much of it follows, or null.
  const uint8_t* Holding(uint64_t pos, size_t& avail) const;
  bool ReadOutside(uint64_t pos, void* dest, size_t size, size_t& got);
  uint32_t Field(uint64_t pos, size_t size, bool* failed);
  bool Fill(uint64_t pos);
  void SawEnd(uint64_t pos, size_t wanted, size_t got) {
    if (got < wanted) end_ = std::min(end_, pos + got);
  }

  sys::InFile& file_;
  std::array<Span, kMaxSpans> spans_;
  size_t spanCount_ = 0;
  size_t spanBytes_ = 0;  // all spans together
  std::array<uint8_t, kBlockSize> block_;  // valid up to blockLen_ once filled
  uint64_t blockPos_ = 0;
  size_t blockLen_ = 0;
  bool blockValid_ = false;
  uint64_t end_ = std::numeric_limits<uint64_t>::max();  // lowest end seen
};
