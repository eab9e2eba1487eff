// Browse with subfolders of a big tree (by default the corpus's 26,420 fonts
// in ten folders), from the change of folder to the filled count line,
// beside a bare single-thread Win32 loop over the same tree in the same run:
// FindFirstFileA walks the tree and each file is opened, its table directory
// and its name table read, and closed. Then where our time goes: the walk
// alone, the scan with one reader and with its reader threads, the sort and
// the rows.
//
//   scripts/wine-run build/win32/bench/win/browse_bench.exe FOLDER [--repeat N]
//
// FOLDER is a Windows path such as Z:\tmp\vlm-corpus\big. Best of N runs,
// warm cache (a first unmeasured run of each warms it).
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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
  OVERLAPPED where{};
  where.Offset = at;
  return ReadFile(file, into, size, &got, &where) != 0;
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

void Walk(const std::string& folder, bool readFiles, int& files, std::vector<uint8_t>& buffer) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (name != "." && name != "..") Walk(folder + name + "\\", readFiles, files, buffer);
      continue;
    }
    if (name.size() < 4 || _stricmp(name.c_str() + name.size() - 4, ".TTF") != 0) continue;
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

double BareLoop(const std::string& folder, bool readFiles, int& files) {
  std::vector<uint8_t> buffer;
  files = 0;
  const Clock::time_point start = Clock::now();
  Walk(folder, readFiles, files, buffer);
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

double Scan(const std::string& folder, int readers) {
  TFontFileList::SetScanReaders(readers);
  TFontFileList list;
  list.SetInclSubfoldersDepth(-1);
  list.SetInclSubfolders(true);
  const Clock::time_point start = Clock::now();
  list.SetPath(folder);
  return Millis(start);
}

template <typename Run>
double Best(int repeat, Run run) {
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
  for (int i = 2; i < argc; ++i)
    if (std::string(argv[i]) == "--repeat" && i + 1 < argc) repeat = std::max(1, std::atoi(argv[++i]));
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  TBenchForm form(L"browse_bench");
  form.Show();
  TProgress::SetMainWindow(form.Handle());
  const int readers = TFontFileList::ScanReaders();

  int files = 0, fonts = 0;
  const double bare = Best(repeat, [&] { return BareLoop(folder, true, files); });
  const double walk = Best(repeat, [&] { return BareLoop(folder, false, files); });
  double scanPart = 1e300;
  const double ours = Best(repeat, [&] {
    double scan = 0;
    const double ms = Browse(form, folder, fonts, &scan);
    scanPart = std::min(scanPart, scan);
    return ms;
  });
  const double oneReader = Best(repeat, [&] { return Scan(folder, 1); });
  const double threads = Best(repeat, [&] { return Scan(folder, readers); });
  const double twoReaders = Best(repeat, [&] { return Scan(folder, 2); });
  TFontFileList::SetScanReaders(readers);
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
  std::printf("Browse with subfolders to the rows            %8.0f ms   x%.2f\n", ours, ours / bare);
  std::printf("  of it the scan (SetPath)                    %8.0f ms\n", scanPart);
  std::printf("  of it the rows (UpdateList and painting)    %8.0f ms\n", ours - scanPart);
  std::printf("the bare walk alone (FindFirstFileA)          %8.0f ms\n", walk);
  std::printf("scan alone, one reader                        %8.0f ms   x%.2f\n", oneReader, oneReader / bare);
  std::printf("scan alone, %d reader threads                  %8.0f ms   x%.2f\n", readers, threads, threads / bare);
  std::printf("scan alone, 2 reader threads                  %8.0f ms   x%.2f\n", twoReaders, twoReaders / bare);
  std::printf("where the time may go, one thing per file:\n");
  std::printf("  an open and a close                         %8.0f ms\n", opens);
  std::printf("  a look-up in the installed-font table       %8.0f ms\n", lookups);
  std::printf("  a progress step                             %8.0f ms\n", steps);
  std::printf("  the sort of the list (all files)            %8.0f ms\n", sort);
  std::printf("(goal: Browse x <= 1.0 of the bare loop)\n");
  return 0;
}
