// How long the font list takes to show 10,000 records (all kinds in the
// filter), beside a bare loop inserting the same 10,000 captions into a plain
// report list view. Both include painting the visible rows.
//
//   scripts/wine-run build/win32/bench/win/list_bench.exe [records] [--painting]
//
// The bare loop runs with the view's redrawing switched off, the cheapest way
// to fill a plain list view. With --painting it also runs as a naive loop
// that lets the view repaint after every row (minutes under Wine).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/win/bench_window.h"
#include "data/VLMUtil.h"
#include "lists/FontList.h"
#include "sys/codepage.h"
#include "sys/memory/MemoryBackend.h"
#include "ui/Form.h"

using bench::Clock;
using bench::Micros;
using bench::Millis;
using bench::TBenchForm;

namespace {

// A bare report view: one column, captions inserted one by one.
double BareInsert(TForm& form, const std::vector<std::wstring>& captions, bool redrawOff) {
  HWND view = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 620,
                              440, form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 150;
  column.pszText = const_cast<wchar_t*>(L"字体名");
  ListView_InsertColumn(view, 0, &column);
  UpdateWindow(view);

  const Clock::time_point start = Clock::now();
  if (redrawOff) SendMessageW(view, WM_SETREDRAW, FALSE, 0);
  for (size_t i = 0; i < captions.size(); ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<wchar_t*>(captions[i].c_str());
    ListView_InsertItem(view, &item);
  }
  if (redrawOff) SendMessageW(view, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(view, nullptr, TRUE);
  UpdateWindow(view);
  const double elapsed = Millis(start);
  DestroyWindow(view);
  return elapsed;
}

double FontListUpdate(TFontList& list) {
  const Clock::time_point start = Clock::now();
  list.UpdateList();
  list.ListView().Update();
  return Millis(start);
}

}  // namespace

int main(int argc, char** argv) {
  int records = 10000;
  bool painting = false;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--painting")
      painting = true;
    else
      records = std::max(1, std::atoi(argv[i]));
  }
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);

  // The records come from a memory world so that the figures measure the
  // list, not the disk: every tenth font installed, every seventh loaded.
  sys::MemoryBackend os;
  sys::ScopedBackend guard(os);
  os.SetValue(sys::Hive::CurrentUser,
              "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts",
              "C:\\WINNT\\FONTS\\");
  const std::string fontsKey = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  std::vector<std::string> loaded;
  std::vector<std::pair<std::string, std::string>> fonts;
  for (int i = 0; i < records; ++i) {
    char name[40];
    std::snprintf(name, sizeof(name), "Bench Font %05d", (i * 7919) % records);
    const std::string file = "C:\\BENCH\\F" + std::to_string(i) + ".TTF";
    os.AddFile(file, "");
    if (i % 10 == 0) os.SetValue(sys::Hive::LocalMachine, fontsKey, FontRegValueName(name), file);
    if (i % 7 == 0) loaded.push_back(UpperAscii(file));
    fonts.emplace_back(file, name);
  }

  TBenchForm form(L"list_bench");
  form.Show();
  TFontList list(form);
  list.SetAlign(alClient);
  list.SetLoadedFonts(&loaded);
  for (const auto& [file, name] : fonts) list.FontFileList().AddFileWithName(file, name);
  list.FontFileList().Sort();

  std::vector<std::wstring> captions;
  for (int i = 0; i < list.FontFileList().Count(); ++i)
    captions.push_back(sys::Widen(list.FontFileList().Items(i)->FontName()));

  list.Hide();
  const double bare = BareInsert(form, captions, true);
  const double bareNaive = painting ? BareInsert(form, captions, false) : 0;
  list.Show();
  const double first = FontListUpdate(list);
  const double again = FontListUpdate(list);

  std::printf("records                                   %8d\n", records);
  std::printf("bare insert loop into a plain list view   %8.1f ms\n", bare);
  if (painting) std::printf("  the same, repainting after every row    %8.1f ms\n", bareNaive);
  std::printf("TFontList.UpdateList, all kinds (first)   %8.1f ms\n", first);
  std::printf("TFontList.UpdateList, all kinds (again)   %8.1f ms\n", again);
  std::printf("rows shown %d; font list / bare loop = %.2f\n", list.ListView().ItemCount(),
              first / bare);
  return 0;
}
