// Reads a file through one small buffer, so that neighbouring fields cost one
// system call, and remembers where the file ends so that nothing past it is
// asked of the system again.
#pragma once

#include <array>
#include <cstdint>
#include <cstddef>
#include <limits>

#include "sys/sys.h"

class TBlockReader {
 public:
  static constexpr size_t kBlockSize = 4096;

  explicit TBlockReader(sys::InFile& file) : file_(file) {}

  // Copies up to `size` bytes at `pos`; `got` is less than `size` at the end
  // of the file. False only when the system refused to read existing bytes.
  bool Read(uint64_t pos, void* dest, size_t size, size_t& got);

  // Big-endian fields. A field cut off by the end of the file, or whose read
  // fails, is 0; `failed` (when given) is set on a refused read.
  uint8_t U8(uint64_t pos, bool* failed = nullptr);
  uint16_t U16(uint64_t pos, bool* failed = nullptr);
  uint32_t U32(uint64_t pos, bool* failed = nullptr);

 private:
  bool Fill(uint64_t pos);

  sys::InFile& file_;
  std::array<uint8_t, kBlockSize> block_{};
  uint64_t blockPos_ = 0;
  size_t blockLen_ = 0;
  bool blockValid_ = false;
  uint64_t end_ = std::numeric_limits<uint64_t>::max();  // lowest end seen
};
