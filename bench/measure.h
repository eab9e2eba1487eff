// What the benchmarks measure besides wall time: CPU time, bytes read, and a
// cold page cache.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// CPU time of the process so far; it leaves out waiting for a busy CPU.
inline double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec * 1e-6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Bytes the process has asked read() and pread() for so far (cache or disk).
inline double BytesRead() {
  FILE* io = std::fopen("/proc/self/io", "r");
  if (!io) return 0;
  char line[128];
  double bytes = 0;
  while (std::fgets(line, sizeof line, io))
    if (std::strncmp(line, "rchar:", 6) == 0) bytes = std::atof(line + 6);
  std::fclose(io);
  return bytes;
}

// Every *.ttf file below `folder`, in the order the folders list them.
// The .ttf files below a folder; with `allFormats`, the .ttc, .otc and .otf
// files too.
inline void FontFilesBelow(const std::string& folder, std::vector<std::string>& files, bool allFormats = false) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    std::string path = folder + "/" + entry->d_name;
    const size_t n = std::strlen(entry->d_name);
    if (entry->d_type == DT_DIR) {
      FontFilesBelow(path, files, allFormats);
    } else if (n > 4 && (strcasecmp(entry->d_name + n - 4, ".ttf") == 0 ||
                         (allFormats && (strcasecmp(entry->d_name + n - 4, ".ttc") == 0 ||
                                         strcasecmp(entry->d_name + n - 4, ".otc") == 0 ||
                                         strcasecmp(entry->d_name + n - 4, ".otf") == 0)))) {
      files.push_back(std::move(path));
    }
  }
  ::closedir(dir);
}

// Empties the page cache: the whole cache where the system lets us (folders
// and inodes too), else each file's pages. Says which it did.
inline const char* DropCaches(const std::vector<std::string>& files) {
  ::sync();
  if (FILE* drop = std::fopen("/proc/sys/vm/drop_caches", "w")) {
    const bool done = std::fputs("3\n", drop) >= 0;
    if (std::fclose(drop) == 0 && done) return "drop_caches";
  }
  for (const std::string& file : files) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
  }
  return "posix_fadvise DONTNEED per file";
}
