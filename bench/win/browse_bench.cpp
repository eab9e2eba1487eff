// Browse with subfolders of a big tree (by default the corpus's 26,420 fonts
// in ten folders), from the change of folder to the filled count line,
// beside a bare single-thread Win32 loop over the same tree in the same run:
// FindFirstFileA walks the tree and each file is opened, its table directory
// and its name table read, and closed. Then where our time goes: the walk
// alone, the scan with one reader and with its reader threads, the sort and
// the rows.
//
//   scripts/wine-run build/win32/bench/win/browse_bench.exe FOLDER [--repeat N] [--readers N]
//   scripts/wine-run build/win32/bench/win/browse_bench.exe FOLDER --cold bare|bare-threads|browse [--readers N] [--at-once]
//
// FOLDER is a Windows path such as Z:\tmp\vlm-corpus\big. Best of N runs,
// warm cache (a first unmeasured run of each warms it). --readers sets the
// Browse's reader threads, --at-once starts them with the reading (else they
// start when the reads turn out slow). --cold runs the one thing once, unwarmed: the
// caller empties the cache of the tree's files before (bench/run.sh --wine).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "bench/win/bench_window.h"
#include "data/FontFileList.h"
#include "data/Progress.h"
#include "lists/FontList.h"
#include "sys/sys.h"
#include "ui/Form.h"
#include "ui/TProgress.h"

using bench::Clock;
using bench::Millis;
using bench::TBenchForm;

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }
uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

bool ReadAt(HANDLE file, uint32_t at, void* into, DWORD size, DWORD& got) {
  return SetFilePointer(file, static_cast<LONG>(at), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
         ReadFile(file, into, size, &got, nullptr) != 0;
}

// Opens the file, reads its table directory and its name table, closes it;
// true when the name table was read.
bool ReadNameTable(const std::string& path, std::vector<uint8_t>& buffer) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool read = false;
  uint8_t head[12];
  DWORD got = 0;
  if (ReadAt(file, 0, head, sizeof head, got) && got == sizeof head) {
    const unsigned tables = U16(head + 4);
    std::vector<uint8_t> directory(16 * size_t(tables));
    if (ReadAt(file, 12, directory.data(), static_cast<DWORD>(directory.size()), got) && got == directory.size()) {
      for (unsigned i = 0; i < tables; ++i) {
        const uint8_t* entry = directory.data() + 16 * i;
        if (std::memcmp(entry, "name", 4) != 0) continue;
        buffer.resize(std::min<uint32_t>(U32(entry + 12), 1 << 20));
        read = ReadAt(file, U32(entry + 8), buffer.data(), static_cast<DWORD>(buffer.size()), got);
        break;
      }
    }
  }
  CloseHandle(file);
  return read;
}

// By ASCII alone: the runtime's case-insensitive compare asks the system for
// the locale, which under Wine reads the registry, once a file.
bool IsTtf(const std::string& name) {
  if (name.size() < 4) return false;
  const char* ext = name.c_str() + name.size() - 4;
  return ext[0] == '.' && (ext[1] | 0x20) == 't' && (ext[2] | 0x20) == 't' && (ext[3] | 0x20) == 'f';
}

HANDLE FindFirst(const std::string& pattern, WIN32_FIND_DATAA& found, bool basic) {
  if (!basic) return FindFirstFileA(pattern.c_str(), &found);
  return FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                          FIND_FIRST_EX_LARGE_FETCH);
}

void Walk(const std::string& folder, bool readFiles, int& files, std::vector<uint8_t>& buffer,
          bool basic = false) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirst(folder + "*", found, basic);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (name != "." && name != "..") Walk(folder + name + "\\", readFiles, files, buffer, basic);
      continue;
    }
    if (!IsTtf(name)) continue;
    ++files;
    if (readFiles) ReadNameTable(folder + name, buffer);
  } while (FindNextFileA(find, &found));
  FindClose(find);
}

void Files(const std::string& folder, std::vector<std::string>& files) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      files.push_back(folder + name);
    } else if (name != "." && name != "..") {
      Files(folder + name + "\\", files);
    }
  } while (FindNextFileA(find, &found));
  FindClose(find);
}

double OpensAndCloses(const std::vector<std::string>& files) {
  const Clock::time_point start = Clock::now();
  for (const std::string& path : files) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return Millis(start);
}

// A look-up of a name that is not there, in the installed-font table, per file.
double RegistryLookups(size_t count) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0, KEY_READ,
                    &key) != ERROR_SUCCESS)
    return 0;
  const Clock::time_point start = Clock::now();
  for (size_t i = 0; i < count; ++i) {
    const std::string name = "Bench Absent " + std::to_string(i) + " (TrueType)";
    RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr);
  }
  const double ms = Millis(start);
  RegCloseKey(key);
  return ms;
}

// The progress window of a scan stepped once per file.
double ProgressSteps(size_t count) {
  const Clock::time_point start = Clock::now();
  std::unique_ptr<TProgressBase> progress = MakeProgress(static_cast<int>(count), L"bench");
  progress->Show();
  for (size_t i = 0; i < count; ++i) progress->StepIt();
  progress.reset();
  return Millis(start);
}

double BareLoop(const std::string& folder, bool readFiles, int& files, bool basic = false) {
  std::vector<uint8_t> buffer;
  files = 0;
  const Clock::time_point start = Clock::now();
  Walk(folder, readFiles, files, buffer, basic);
  return Millis(start);
}

// The bare loop's reads by `threads` threads at once, each taking the next
// file of the listed tree: how far Wine lets reads overlap at all.
double BareThreads(const std::string& folder, int threads, int& files) {
  std::vector<std::string> paths;
  Files(folder, paths);
  std::erase_if(paths, [](const std::string& path) { return !IsTtf(path); });
  files = static_cast<int>(paths.size());
  std::atomic<size_t> next{0};
  const Clock::time_point start = Clock::now();
  std::vector<std::thread> running;
  for (int t = 0; t < threads; ++t) {
    running.emplace_back([&] {
      std::vector<uint8_t> buffer;
      for (size_t i = next++; i < paths.size(); i = next++) ReadNameTable(paths[i], buffer);
    });
  }
  for (std::thread& thread : running) thread.join();
  return Millis(start);
}

// As the Browse page does it: the folder given to a font list with
// subfolders, then its rows built and painted.
double Browse(TForm& form, const std::string& folder, int& fonts, double* scanMs = nullptr) {
  TFontList list(form);
  list.SetAlign(alClient);
  list.SetInclSubfoldersDepth(-1);
  list.SetInclSubfolders(true);
  const Clock::time_point start = Clock::now();
  list.SetPath(folder);
  if (scanMs) *scanMs = Millis(start);
  list.UpdateList();
  list.ListView().Update();
  const double ms = Millis(start);
  fonts = list.ListView().ItemCount();
  return ms;
}

// The scan alone; `readers` threads that start at once, or (0) as the
// program starts them: when the scan's own reads are slow.
double Scan(const std::string& folder, int readers) {
  const int readersBefore = TFontFileList::ScanReaders();
  const int slowBefore = TFontFileList::SlowReadMicros();
  if (readers > 0) {
    TFontFileList::SetScanReaders(readers);
    TFontFileList::SetSlowReadMicros(0);
  }
  struct Restore {
    int readers, slow;
    ~Restore() {
      TFontFileList::SetScanReaders(readers);
      TFontFileList::SetSlowReadMicros(slow);
    }
  } restore{readersBefore, slowBefore};
  TFontFileList list;
  list.SetInclSubfoldersDepth(-1);
  list.SetInclSubfolders(true);
  const Clock::time_point start = Clock::now();
  list.SetPath(folder);
  return Millis(start);
}

bool g_cold = false;

template <typename Run>
double Best(int repeat, Run run) {
  if (g_cold) return run();
  run();  // warms the cache
  double best = 1e300;
  for (int r = 0; r < repeat; ++r) best = std::min(best, run());
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: browse_bench FOLDER [--repeat N]\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '\\') folder += '\\';
  int repeat = 3;
  std::string cold;
  for (int i = 2; i + 1 < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--repeat") repeat = std::max(1, std::atoi(argv[++i]));
    if (option == "--readers") TFontFileList::SetScanReaders(std::atoi(argv[++i]));
    if (option == "--cold") cold = argv[++i];
  }
  bool forceReaders = false;
  for (int i = 2; i < argc; ++i) forceReaders = forceReaders || std::string(argv[i]) == "--at-once";
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  TBenchForm form(L"browse_bench");
  form.Show();
  TProgress::SetMainWindow(form.Handle());
  const int readers = TFontFileList::ScanReaders();

  int files = 0, fonts = 0;
  if (!cold.empty()) {
    g_cold = true;
    const bool bareRun = cold == "bare";
    if (cold == "bare-threads") {
      const double ms = BareThreads(folder, readers, files);
      std::printf("cold cache, bare reads in %d threads: %.0f ms for %d files\n", readers, ms, files);
      return 0;
    }
    if (forceReaders) TFontFileList::SetSlowReadMicros(0);
    const double ms = bareRun ? BareLoop(folder, true, files) : Browse(form, folder, fonts);
    std::printf("cold cache, %s: %.0f ms for %d files (%d readers)\n", bareRun ? "bare loop" : "Browse", ms,
                bareRun ? files : fonts, readers);
    return 0;
  }
  // The bare loop and the Browse take turns, so that a busy machine slows
  // both alike; the ratio is the median of the rounds'.
  BareLoop(folder, true, files);
  double bare = 1e300, ours = 1e300, scanPart = 1e300;
  std::vector<double> ratios;
  for (int r = 0; r < repeat; ++r) {
    const double bareMs = BareLoop(folder, true, files);
    double scan = 0;
    const double oursMs = Browse(form, folder, fonts, &scan);
    bare = std::min(bare, bareMs);
    ours = std::min(ours, oursMs);
    scanPart = std::min(scanPart, scan);
    ratios.push_back(oursMs / bareMs);
  }
  std::sort(ratios.begin(), ratios.end());
  const double ratio = ratios[ratios.size() / 2];
  const double walk = Best(repeat, [&] { return BareLoop(folder, false, files); });
  const double basicWalk = Best(repeat, [&] { return BareLoop(folder, false, files, true); });
  const double asProgram = Best(repeat, [&] { return Scan(folder, 0); });
  const double oneReader = Best(repeat, [&] { return Scan(folder, 1); });
  const double threads = Best(repeat, [&] { return Scan(folder, readers); });
  const double twoReaders = Best(repeat, [&] { return Scan(folder, 2); });
  std::vector<std::string> paths;
  Files(folder, paths);
  const double opens = Best(repeat, [&] { return OpensAndCloses(paths); });
  const double lookups = Best(repeat, [&] { return RegistryLookups(paths.size()); });
  const double steps = Best(repeat, [&] { return ProgressSteps(paths.size()); });
  double sort = 0;
  {
    TFontFileList list;
    list.SetInclSubfoldersDepth(-1);
    list.SetInclSubfolders(true);
    list.SetPath(folder);
    sort = Best(repeat, [&] {
      const Clock::time_point start = Clock::now();
      list.Sort();
      return Millis(start);
    });
  }

  std::printf("%d files, %d fonts listed; best of %d runs, warm cache (%d-bit build)\n", files, fonts, repeat,
              static_cast<int>(sizeof(void*) * 8));
  std::printf("bare loop: walk, open, directory, name table  %8.0f ms\n", bare);
  std::printf("Browse with subfolders to the rows            %8.0f ms   x%.2f (median of the rounds)\n", ours,
              ratio);
  std::printf("  of it the scan (SetPath)                    %8.0f ms\n", scanPart);
  std::printf("  of it the rows (UpdateList and painting)    %8.0f ms\n", ours - scanPart);
  std::printf("the bare walk alone (FindFirstFileA)          %8.0f ms\n", walk);
  std::printf("  the same without short names, large fetches %8.0f ms\n", basicWalk);
  std::printf("scan alone, as the program runs it            %8.0f ms   x%.2f\n", asProgram, asProgram / bare);
  std::printf("scan alone, one reader                        %8.0f ms   x%.2f\n", oneReader, oneReader / bare);
  std::printf("scan alone, %d reader threads from the start   %8.0f ms   x%.2f\n", readers, threads,
              threads / bare);
  std::printf("scan alone, 2 reader threads from the start   %8.0f ms   x%.2f\n", twoReaders, twoReaders / bare);
  std::printf("where the time may go, one thing per file:\n");
  std::printf("  an open and a close                         %8.0f ms\n", opens);
  std::printf("  a look-up in the installed-font table       %8.0f ms\n", lookups);
  std::printf("  a progress step                             %8.0f ms\n", steps);
  std::printf("  the sort of the list (all files)            %8.0f ms\n", sort);
  std::printf("(goal: Browse x <= 1.0 of the bare loop)\n");
  return 0;
}
