// The least a scan can cost, to set our figures beside. For each .ttf file
// below a folder: open it, read the header and table directory with one
// positioned read, then the tables wanted with one read each, close it.
// Names only: the name table, in which the Microsoft English full name is
// found. All tables (--all): the first 4 KB, then whichever of name, head,
// hhea and OS/2 lie outside it; the fifteen names are copied out (raw bytes,
// no conversion) and the metrics taken. With --formats, the .ttc, .otc and
// .otf files too, names only, a collection's faces each read from its own
// table directory; the figures are then per face.
//
//   floor FOLDER [--repeat N] [--all] [--cold] [--readers N] [--formats]
//
// --cold empties the page cache before every run; --readers N reads with N
// threads taking the files in turn.
#include <fcntl.h>
#include <unistd.h>

#include "bench/measure.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// True when the face whose table directory `head` holds has a Microsoft
// English full name.
bool NameOfFace(int fd, const uint8_t* head, ssize_t got, std::vector<uint8_t>& buffer) {
  bool found = false;
  if (got >= 12) {
    const unsigned tables = std::min<unsigned>(U16(head + 4), (static_cast<unsigned>(got) - 12) / 16);
    for (unsigned i = 0; i < tables; ++i) {
      const uint8_t* entry = head + 12 + 16 * i;
      if (std::memcmp(entry, "name", 4) != 0) continue;
      const uint32_t offset = U32(entry + 8);
      const uint32_t length = std::min<uint32_t>(U32(entry + 12), 1 << 20);
      buffer.resize(length);
      const ssize_t n = ::pread(fd, buffer.data(), length, offset);
      if (n < 6) break;
      const uint8_t* table = buffer.data();
      const unsigned count = U16(table + 2);
      for (unsigned r = 0; r < count && 6 + 12 * (r + 1) <= static_cast<unsigned>(n); ++r) {
        const uint8_t* record = table + 6 + 12 * r;
        if (U16(record) == 3 && U16(record + 6) == 4 && (U16(record + 4) & 0xFF) == 0x09) {
          found = true;
          break;
        }
      }
      break;
    }
  }
  return found;
}

// How many faces of the file have a Microsoft English full name: a
// collection's faces, each by its own table directory, or the one face.
size_t ReadName(const std::string& path, std::vector<uint8_t>& buffer, size_t& faces) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  uint8_t head[1024];
  const ssize_t got = ::pread(fd, head, sizeof head, 0);
  size_t named = 0;
  if (got >= 12 && std::memcmp(head, "ttcf", 4) == 0) {
    const unsigned count = std::min<unsigned>(U32(head + 8), (static_cast<unsigned>(got) - 12) / 4);
    uint8_t directory[1024];
    for (unsigned face = 0; face < count; ++face) {
      const ssize_t n = ::pread(fd, directory, sizeof directory, U32(head + 12 + 4 * face));
      named += NameOfFace(fd, directory, n, buffer) ? 1 : 0;
    }
    faces += count;
  } else {
    named = NameOfFace(fd, head, got, buffer) ? 1 : 0;
    ++faces;
  }
  ::close(fd);
  return named;
}

struct AllFields {
  std::string names[15];
  int32_t values[12];
};

// The bytes of a table: from the first block when it holds them, else read.
const uint8_t* Table(int fd, const uint8_t* first, size_t firstLen, uint32_t offset, size_t size,
                     std::vector<uint8_t>& buffer, size_t& got) {
  if (offset + size <= firstLen) {
    got = size;
    return first + offset;
  }
  buffer.resize(size);
  const ssize_t n = ::pread(fd, buffer.data(), size, offset);
  got = n > 0 ? static_cast<size_t>(n) : 0;
  return buffer.data();
}

// True when the file has a name table with an English full name.
bool ReadAll(const std::string& path, std::vector<uint8_t>& buffer, AllFields& f) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool found = false;
  static thread_local uint8_t first[4096];
  const ssize_t got = ::pread(fd, first, sizeof first, 0);
  const size_t firstLen = got > 0 ? static_cast<size_t>(got) : 0;
  const unsigned tables = firstLen >= 12 ? std::min<unsigned>(U16(first + 4), (firstLen - 12) / 16) : 0;
  for (unsigned i = 0; i < tables; ++i) {
    const uint8_t* entry = first + 12 + 16 * i;
    const uint32_t offset = U32(entry + 8);
    size_t n = 0;
    if (std::memcmp(entry, "name", 4) == 0) {
      const uint32_t length = std::min<uint32_t>(U32(entry + 12), 1 << 20);
      const uint8_t* t = Table(fd, first, firstLen, offset, length, buffer, n);
      if (n < 6) continue;
      const unsigned count = U16(t + 2), storage = U16(t + 4);
      for (unsigned r = 0; r < count && 6 + 12 * (r + 1) <= n; ++r) {
        const uint8_t* record = t + 6 + 12 * r;
        const unsigned platform = U16(record), language = U16(record + 4), id = U16(record + 6);
        const unsigned size = U16(record + 8), at = storage + U16(record + 10);
        const bool ms = platform == 3 && (language & 0xFF) == 0x09;
        if (id > 14 || (!ms && platform != 1) || at + size > n) continue;
        if (ms || f.names[id].empty()) f.names[id].assign(reinterpret_cast<const char*>(t + at), size);
        found = found || (ms && id == 4);
      }
    } else if (std::memcmp(entry, "head", 4) == 0) {
      const uint8_t* t = Table(fd, first, firstLen, offset, 48, buffer, n);
      if (n >= 48) f.values[0] = U16(t + 18), f.values[1] = U16(t + 46);
    } else if (std::memcmp(entry, "hhea", 4) == 0) {
      const uint8_t* t = Table(fd, first, firstLen, offset, 18, buffer, n);
      if (n >= 18) f.values[2] = int16_t(U16(t + 4)), f.values[3] = int16_t(U16(t + 16));
    } else if (std::memcmp(entry, "OS/2", 4) == 0) {
      const uint8_t* t = Table(fd, first, firstLen, offset, 78, buffer, n);
      if (n >= 78) f.values[4] = U16(t + 4), f.values[5] = U16(t + 74) + U16(t + 76), f.values[6] = t[32];
    }
  }
  ::close(fd);
  return found;
}

// Reads every file with `readers` threads; how many faces were named, and
// how many there are in `faces`.
size_t ReadFiles(const std::vector<std::string>& files, bool all, int readers, std::atomic<size_t>& faces) {
  std::atomic<size_t> next{0}, named{0};
  auto work = [&] {
    std::vector<uint8_t> buffer;
    size_t mine = 0;
    for (size_t i; (i = next++) < files.size();) {
      AllFields fields{};
      if (all) {
        named += ReadAll(files[i], buffer, fields) ? 1 : 0;
        ++mine;
      } else {
        named += ReadName(files[i], buffer, mine);
      }
    }
    faces += mine;
  };
  if (readers <= 1) {
    work();
  } else {
    std::vector<std::thread> threads;
    for (int t = 0; t < readers; ++t) threads.emplace_back(work);
    for (auto& t : threads) t.join();
  }
  return named;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: floor FOLDER [--repeat N] [--all] [--cold] [--readers N] [--formats]\n");
    return 2;
  }
  const std::string folder = argv[1];
  int repeat = 5, readers = 1;
  bool all = false, cold = false, formats = false;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--repeat" && i + 1 < argc) repeat = std::max(1, std::atoi(argv[++i]));
    if (option == "--readers" && i + 1 < argc) readers = std::max(1, std::atoi(argv[++i]));
    if (option == "--all") all = true;
    if (option == "--cold") cold = true;
    if (option == "--formats") formats = true;
  }
  all = all && !formats;

  std::vector<double> seconds, cpu, bytes;
  size_t fonts = 0, named = 0;
  const char* how = "";
  for (int run = 0; run < repeat; ++run) {
    if (cold) {
      std::vector<std::string> files;
      FontFilesBelow(folder, files, formats);
      how = DropCaches(files);
    }
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds(), bytesStart = BytesRead();
    std::vector<std::string> files;
    FontFilesBelow(folder, files, formats);
    std::atomic<size_t> faces{0};
    named = ReadFiles(files, all, readers, faces);
    bytes.push_back(BytesRead() - bytesStart);
    cpu.push_back(CpuSeconds() - cpuStart);
    seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    fonts = faces;
  }
  std::sort(seconds.begin(), seconds.end());
  std::sort(cpu.begin(), cpu.end());
  const double median = seconds[seconds.size() / 2];
  const double best = seconds.front();  // the least disturbed run
  std::printf("floor: %zu fonts (%zu named), %s, %d reader(s), %s cache, %d runs, best %.2f ms, median %.2f ms\n",
              fonts, named, all ? "all four tables" : "names only", readers, cold ? how : "warm",
              repeat, best * 1e3, median * 1e3);
  if (fonts > 0) {
    std::printf("floor: %.1f us per font, %.0f fonts/s (best run; median %.1f us)\n",
                best * 1e6 / fonts, fonts / best, median * 1e6 / fonts);
    std::printf("floor: %.1f us CPU per font (least of the runs)\n", cpu.front() * 1e6 / fonts);
    std::printf("floor: %.2f KB read per font\n", bytes.front() / 1024 / fonts);
  }
  return 0;
}
