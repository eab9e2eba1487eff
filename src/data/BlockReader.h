// Reads a file through one small buffer, so that neighbouring fields cost one
// system call, and remembers where the file ends so that nothing past it is
// asked of the system again.
#pragma once

#include <array>
#include <cstdint>
#include <cstddef>
#include <cstring>
#include <limits>

#include "sys/sys.h"

class TBlockReader {
 public:
  static constexpr size_t kBlockSize = 4096;

  explicit TBlockReader(sys::InFile& file) : file_(file) {}

  // Copies up to `size` bytes at `pos`; `got` is less than `size` at the end
  // of the file. False only when the system refused to read existing bytes.
  bool Read(uint64_t pos, void* dest, size_t size, size_t& got) {
    if (const uint8_t* p = size > 0 ? InBlock(pos, size) : nullptr) {
      std::memcpy(dest, p, size);
      got = size;
      return true;
    }
    return ReadOutside(pos, dest, size, got);
  }

  // Big-endian fields. A field cut off by the end of the file, or whose read
  // fails, is 0; `failed` (when given) is set on a refused read. Fields in
  // the block are taken straight from it: a name table is hundreds of them.
  uint8_t U8(uint64_t pos, bool* failed = nullptr) {
    if (const uint8_t* p = InBlock(pos, 1)) return p[0];
    return static_cast<uint8_t>(Field(pos, 1, failed));
  }
  uint16_t U16(uint64_t pos, bool* failed = nullptr) {
    if (const uint8_t* p = InBlock(pos, 2)) return static_cast<uint16_t>(p[0] << 8 | p[1]);
    return static_cast<uint16_t>(Field(pos, 2, failed));
  }
  uint32_t U32(uint64_t pos, bool* failed = nullptr) {
    if (const uint8_t* p = InBlock(pos, 4))
      return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
    return Field(pos, 4, failed);
  }

 private:
  // The `size` bytes at `pos` when the block holds all of them, else null.
  const uint8_t* InBlock(uint64_t pos, size_t size) const {
    if (!blockValid_ || pos < blockPos_ || pos >= end_ || pos - blockPos_ + size > blockLen_)
      return nullptr;
    return block_.data() + (pos - blockPos_);
  }
  bool ReadOutside(uint64_t pos, void* dest, size_t size, size_t& got);
  uint32_t Field(uint64_t pos, size_t size, bool* failed);
  bool Fill(uint64_t pos);

  sys::InFile& file_;
  std::array<uint8_t, kBlockSize> block_;  // valid up to blockLen_ once filled
  uint64_t blockPos_ = 0;
  size_t blockLen_ = 0;
  bool blockValid_ = false;
  uint64_t end_ = std::numeric_limits<uint64_t>::max();  // lowest end seen
};
