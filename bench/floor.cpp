// The least a names-only scan can cost: walk the tree, and for each .ttf file
// open it, read the header and table directory with one positioned read, read
// the name table with a second, close it. Reads the full name to be sure the
// right bytes were read.
//
//   floor FOLDER [--repeat N]
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bench/cpu_time.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

bool IsTtf(const char* name) {
  const size_t n = std::strlen(name);
  return n > 4 && strcasecmp(name + n - 4, ".ttf") == 0;
}

void Walk(const std::string& folder, std::vector<std::string>& files) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    std::string path = folder + "/" + entry->d_name;
    if (entry->d_type == DT_DIR) {
      Walk(path, files);
    } else if (IsTtf(entry->d_name)) {
      files.push_back(std::move(path));
    }
  }
  ::closedir(dir);
}

// True when a Microsoft English full name was found.
bool ReadName(const std::string& path, std::vector<uint8_t>& buffer) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool found = false;
  uint8_t head[1024];
  const ssize_t got = ::pread(fd, head, sizeof head, 0);
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
  ::close(fd);
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: floor FOLDER [--repeat N]\n");
    return 2;
  }
  const std::string folder = argv[1];
  const int repeat = argc >= 4 && std::string(argv[2]) == "--repeat" ? std::max(1, std::atoi(argv[3])) : 5;

  std::vector<double> seconds;
  std::vector<double> cpu;
  size_t fonts = 0, named = 0;
  std::vector<uint8_t> buffer;
  for (int run = 0; run < repeat; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    std::vector<std::string> files;
    Walk(folder, files);
    named = 0;
    for (const auto& file : files) named += ReadName(file, buffer) ? 1 : 0;
    cpu.push_back(CpuSeconds() - cpuStart);
    seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    fonts = files.size();
  }
  std::sort(seconds.begin(), seconds.end());
  std::sort(cpu.begin(), cpu.end());
  const double median = seconds[seconds.size() / 2];
  const double best = seconds.front();  // the least disturbed run
  std::printf("floor: %zu fonts (%zu named), %d runs, best %.2f ms, median %.2f ms\n", fonts, named,
              repeat, best * 1e3, median * 1e3);
  if (fonts > 0) {
    std::printf("floor: %.1f us per font, %.0f fonts/s (best run; median %.1f us)\n",
                best * 1e6 / fonts, fonts / best, median * 1e6 / fonts);
  }
  if (fonts > 0) {
    std::printf("floor: %.1f us CPU per font (least of the runs)\n", cpu.front() * 1e6 / fonts);
  }
  return 0;
}
