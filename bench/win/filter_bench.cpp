// How long the font list takes to follow each key typed into its filter box,
// on 26,000 records (all kinds in the filter), beside a bare refill of a plain
// virtual report view to the same number of rows. Both include painting the
// visible rows. Goal: at most 50 ms per key.
//
//   scripts/wine-run build/win32/bench/win/filter_bench.exe [records]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/win/bench_window.h"
#include "data/NameFilter.h"
#include "lists/FilterBox.h"
#include "lists/FontList.h"
#include "sys/codepage.h"
#include "sys/memory/MemoryBackend.h"
#include "ui/ListView.h"

using bench::Clock;
using bench::Millis;
using bench::TBenchForm;

namespace {

struct TKeyFigures {
  double total = 0;
  double worst = 0;
  void Add(double ms) {
    total += ms;
    worst = std::max(worst, ms);
  }
};

// The texts the box holds after each key: typed one character at a time,
// then taken back the same way.
std::vector<std::wstring> Keystrokes(const std::wstring& word) {
  std::vector<std::wstring> texts;
  for (size_t n = 1; n <= word.size(); ++n) texts.push_back(word.substr(0, n));
  for (size_t n = word.size(); n-- > 0;) texts.push_back(word.substr(0, n));
  return texts;
}

// Every n-th name Chinese, the rest Latin, in several styles.
std::string BenchName(int i) {
  static const char* const styles[] = {"Regular", "Bold", "Italic", "Bold Italic", "Light"};
  char number[16];
  std::snprintf(number, sizeof(number), "%05d", i);
  if (i % 4 == 0) return sys::Utf8ToAnsi("\xE6\x96\xB9\xE6\xAD\xA3\xE5\xAE\x8B\xE4\xBD\x93 ") + number;  // 方正宋体
  if (i % 4 == 1) return sys::Utf8ToAnsi("\xE5\x8D\x8E\xE6\x96\x87\xE9\xBB\x91\xE4\xBD\x93 ") + number;  // 华文黑体
  return std::string("Bench Sans ") + number + " " + styles[i % 5];
}

}  // namespace

int main(int argc, char** argv) {
  const int records = argc > 1 ? std::max(1, std::atoi(argv[1])) : 26000;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);

  // Records from a memory world: the figures measure the list, not the disk.
  sys::MemoryBackend os;
  sys::ScopedBackend guard(os);
  std::vector<std::string> loaded;

  TBenchForm form(L"filter_bench");
  form.Show();
  TFontList list(form);
  list.SetAlign(alClient);
  list.SetLoadedFonts(&loaded);
  for (int i = 0; i < records; ++i) {
    const std::string file = "C:\\BENCH\\F" + std::to_string(i) + ".TTF";
    os.AddFile(file, "");
    list.FontFileList().AddFileWithName(file, BenchName(i));
  }
  list.FontFileList().Sort();
  list.UpdateList();
  list.ListView().Update();

  // The bare view: one column, its rows' captions looked up in a table made
  // beforehand, so that only the view's own refill is timed.
  std::vector<std::wstring> captions;
  for (int i = 0; i < list.FontFileList().Count(); ++i)
    captions.push_back(sys::Widen(list.FontFileList().Items(i)->FontName()));
  TListViewOptions options;
  options.ownerData = true;
  options.showColumnHeaders = true;
  TListView bare(form, options);
  bare.SetBounds(0, 0, 620, 440);
  bare.AddColumn(L"字体名", 150);
  bare.OnGetText = [&captions](int item, int, std::wstring& text) {
    if (item >= 0 && static_cast<size_t>(item) < captions.size()) text = captions[static_cast<size_t>(item)];
  };

  for (const std::wstring& word : {std::wstring(L"bold"), std::wstring(L"\u5B8B\u4F53 0")}) {
    const std::vector<std::wstring> texts = Keystrokes(word);
    // The bare view gets as many rows as the list shows for each text.
    TKeyFigures bareKeys, listKeys;
    list.Hide();
    bare.Show();
    for (const std::wstring& text : texts) {
      const TNameFilter filter(sys::Narrow(text));
      int rows = 0;
      for (int i = 0; i < list.FontFileList().Count(); ++i)
        rows += filter.Matches(list.FontFileList().Items(i)->FontName());
      const Clock::time_point start = Clock::now();
      bare.SetItemCount(rows);
      bare.Invalidate();
      bare.Update();
      bareKeys.Add(Millis(start));
    }
    bare.Hide();
    list.Show();
    list.ListView().Update();
    for (const std::wstring& text : texts) {
      const Clock::time_point start = Clock::now();
      list.FilterBox().SetText(text);
      list.ListView().Update();
      listKeys.Add(Millis(start));
    }
    const double keys = static_cast<double>(texts.size());
    std::printf("typing and taking back \"%s\" (%zu keys), %d records\n", sys::AnsiToUtf8(sys::Narrow(word)).c_str(),
                texts.size(), records);
    std::printf("  bare virtual view refill    %7.2f ms per key, worst %7.2f ms\n", bareKeys.total / keys,
                bareKeys.worst);
    std::printf("  font list, filter box       %7.2f ms per key, worst %7.2f ms\n", listKeys.total / keys,
                listKeys.worst);
  }
  std::printf("(goal: the font list at most 50 ms per key)\n");
  return 0;
}
