// What the listed fonts cost in memory: the growth of the process (working
// set and committed private bytes) over a Browse scan with subfolders of a
// folder, per listed font, and how much address space is left afterwards. By
// default the fonts are listed by a font list control, rows included; with
// --data by a bare font file list.
//
//   scripts/wine-run build/win32/bench/win/memory_bench.exe FOLDER [--data] [--depth N]
//
// FOLDER is a Windows path such as Z:\tmp\vlm-corpus\big. The 32-bit build
// is the one whose address space matters: 100,000 fonts must fit in it.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/win/bench_window.h"
#include "data/FontFileList.h"
#include "lists/FontList.h"
#include "ui/Form.h"
#include "ui/TProgress.h"

using bench::Clock;
using bench::Millis;
using bench::TBenchForm;

namespace {

struct TMemory {
  double workingSet = 0;
  double heapBytes = 0;  // in blocks in use on the process's heaps
};

double HeapBytesInUse() {
  HANDLE heaps[64];
  const DWORD count = GetProcessHeaps(64, heaps);
  double bytes = 0;
  for (DWORD i = 0; i < count && i < 64; ++i) {
    if (!HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData + entry.cbOverhead;
    HeapUnlock(heaps[i]);
  }
  return bytes;
}

TMemory Now() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof(counters));
  return {static_cast<double>(counters.WorkingSetSize), HeapBytesInUse()};
}

// The free address space in all and its largest piece, in MB.
void AddressSpace(double& freeMb, double& largestMb) {
  freeMb = largestMb = 0;
  MEMORY_BASIC_INFORMATION info{};
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  auto* at = static_cast<char*>(system.lpMinimumApplicationAddress);
  while (at < static_cast<char*>(system.lpMaximumApplicationAddress) &&
         VirtualQuery(at, &info, sizeof(info)) == sizeof(info)) {
    if (info.State == MEM_FREE) {
      const double mb = static_cast<double>(info.RegionSize) / (1024 * 1024);
      freeMb += mb;
      if (mb > largestMb) largestMb = mb;
    }
    at = static_cast<char*>(info.BaseAddress) + info.RegionSize;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: memory_bench FOLDER [--data] [--depth N]\n");
    return 2;
  }
  const std::string folder = argv[1];
  bool dataOnly = false;
  int depth = -1;
  for (int i = 2; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--data") dataOnly = true;
    if (option == "--depth" && i + 1 < argc) depth = std::atoi(argv[++i]);
  }
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  TBenchForm form(L"memory_bench");
  form.Show();
  TProgress::SetMainWindow(form.Handle());

  std::unique_ptr<TFontList> view;
  std::unique_ptr<TFontFileList> bare;
  if (dataOnly) {
    bare = std::make_unique<TFontFileList>();
    bare->SetInclSubfoldersDepth(depth);
    bare->SetInclSubfolders(true);
  } else {
    view = std::make_unique<TFontList>(form);
    view->SetAlign(alClient);
    view->SetInclSubfoldersDepth(depth);
    view->SetInclSubfolders(true);
  }
  ui::ProcessMessages();
  double freeBefore = 0, largestBefore = 0;
  AddressSpace(freeBefore, largestBefore);
  const TMemory before = Now();
  const Clock::time_point start = Clock::now();
  if (bare) {
    bare->SetPath(folder);
  } else {
    view->SetPath(folder);
    view->UpdateList();
    view->ListView().Update();
  }
  const double ms = Millis(start);
  ui::ProcessMessages();
  const TMemory after = Now();
  const int fonts = bare ? bare->Count() : view->FontFileList().Count();
  double freeMb = 0, largestMb = 0;
  AddressSpace(freeMb, largestMb);

  const double n = fonts > 0 ? fonts : 1;
  std::printf("%s, %d fonts listed in %.0f ms (%d-bit build)\n",
              bare ? "font file list alone" : "font list control", fonts, ms,
              static_cast<int>(sizeof(void*) * 8));
  std::printf("working set growth     %9.1f MB  %7.0f bytes per font\n",
              (after.workingSet - before.workingSet) / (1024 * 1024),
              (after.workingSet - before.workingSet) / n);
  std::printf("heap in use growth     %9.1f MB  %7.0f bytes per font\n",
              (after.heapBytes - before.heapBytes) / (1024 * 1024), (after.heapBytes - before.heapBytes) / n);
  std::printf("sizeof record %zu, of its values %zu\n", sizeof(TFontFileInfo), sizeof(TFontFields));
  std::printf("address space free     %9.1f MB before, %.1f MB after; largest piece %.1f MB after\n",
              freeBefore, freeMb, largestMb);
  std::printf("(goal: at most 600 bytes per font; 100,000 fonts within the 32-bit address space)\n");
  return 0;
}
