// Files dropped on a control: a real drop block (as the shell makes it) sent
// to the control's window as WM_DROPFILES.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "sys/codepage.h"
#include "sys/memory/MemoryBackend.h"
#include "tests/ui/TestWindow.h"
#include "views/FileDropHelper.h"

// After the window layer's windows.h.
#include <shlobj.h>

namespace {

// A DROPFILES block with the names after it, each ended by NUL, the list by
// another; wide names as the shell of the NT family gives them.
HGLOBAL MakeDrop(const std::vector<std::wstring>& names, POINT pt, bool wide) {
  std::string tail;
  for (const std::wstring& name : names) {
    if (wide) {
      tail.append(reinterpret_cast<const char*>(name.c_str()), (name.size() + 1) * sizeof(wchar_t));
    } else {
      tail += sys::Narrow(name);
      tail += '\0';
    }
  }
  tail.append(wide ? sizeof(wchar_t) : 1, '\0');
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + tail.size());
  auto* block = static_cast<DROPFILES*>(GlobalLock(memory));
  block->pFiles = sizeof(DROPFILES);
  block->pt = pt;
  block->fNC = FALSE;
  block->fWide = wide;
  std::memcpy(reinterpret_cast<char*>(block) + sizeof(DROPFILES), tail.data(), tail.size());
  GlobalUnlock(memory);
  return memory;
}

bool Released(HGLOBAL drop) { return GlobalSize(drop) == 0; }

bool AcceptsFiles(const TControl& control) {
  return (GetWindowLongW(control.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
}

struct TDrop {
  int x = 0;
  int y = 0;
  std::vector<std::string> files;
};

class FileDropTest : public ::testing::Test {
 protected:
  FileDropTest() {
    form.SetClientSize(300, 200);
    target.SetBounds(10, 10, 200, 150);
    helper = std::make_unique<TFileDropHelper>(target);
    helper->OnDropFiles = [this](int x, int y, const std::vector<std::string>& files) {
      drops.push_back({x, y, files});
    };
  }
  LRESULT Send(HGLOBAL drop) {
    return SendMessageW(target.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  }
  TTestWindow form;
  TPanel target{form};
  std::unique_ptr<TFileDropHelper> helper;
  std::vector<TDrop> drops;
};

TEST_F(FileDropTest, OneDropGivesTheFullNamesInTheShellsOrderCutAt258AndThePointThenIsReleased) {
  EXPECT_TRUE(AcceptsFiles(target));
  const std::wstring longName = L"C:\\" + std::wstring(400, L'n') + L".ttf";
  for (bool wide : {false, true}) {
    drops.clear();
    HGLOBAL drop = MakeDrop({L"C:\\Fonts\\b.ttf", L"D:\\字体\\宋体.TTF", longName, L"C:\\a.ttf"}, POINT{37, 81}, wide);
    EXPECT_EQ(Send(drop), 0);
    EXPECT_TRUE(Released(drop)) << wide;
    ASSERT_EQ(drops.size(), 1u) << wide;
    EXPECT_EQ(drops[0].x, 37);
    EXPECT_EQ(drops[0].y, 81);
    EXPECT_EQ(drops[0].files, (std::vector<std::string>{"C:\\Fonts\\b.ttf",
                                                        "D:\\\xd7\xd6\xcc\xe5\\\xcb\xce\xcc\xe5.TTF",
                                                        sys::Narrow(longName.substr(0, 258)), "C:\\a.ttf"}))
        << wide;
    EXPECT_EQ(helper->DropFiles(), drops[0].files);  // kept until the next drop
  }

  // The next drop refills the list.
  HGLOBAL drop = MakeDrop({L"C:\\only.ttf"}, POINT{0, 0}, true);
  Send(drop);
  EXPECT_EQ(helper->DropFiles(), std::vector<std::string>{"C:\\only.ttf"});
}

TEST_F(FileDropTest, EveryDropIsReleasedWithoutAHandlerAndWhenTheHandlerFails) {
  // A block whose names would lie past its end reaches no handler.
  HGLOBAL lie = MakeDrop({L"C:\\a.ttf"}, POINT{1, 1}, false);
  static_cast<DROPFILES*>(GlobalLock(lie))->pFiles = 4096;
  GlobalUnlock(lie);
  EXPECT_EQ(Send(lie), 0);
  EXPECT_TRUE(Released(lie));
  EXPECT_TRUE(drops.empty());
  EXPECT_TRUE(helper->DropFiles().empty());

  helper->OnDropFiles = nullptr;
  HGLOBAL drop = MakeDrop({L"C:\\a.ttf"}, POINT{1, 1}, true);
  EXPECT_EQ(Send(drop), 0);
  EXPECT_TRUE(Released(drop));

  sys::MemoryBackend os;  // catches the error box
  sys::ScopedBackend guard(os);
  helper->OnDropFiles = [](int, int, const std::vector<std::string>&) { throw std::runtime_error("boom"); };
  drop = MakeDrop({L"C:\\a.ttf"}, POINT{1, 1}, true);
  EXPECT_EQ(Send(drop), 0);
  EXPECT_TRUE(Released(drop));
  ASSERT_EQ(os.Messages().size(), 1u);
  EXPECT_EQ(os.Messages()[0].text, L"boom");
}

TEST_F(FileDropTest, TheWindowTakesNoDropsOnceTheReceiverOrTheControlIsGone) {
  // Other messages still reach the control.
  target.SetText(L"still works");
  EXPECT_EQ(target.Text(), L"still works");

  helper.reset();
  EXPECT_FALSE(AcceptsFiles(target));

  auto other = std::make_unique<TPanel>(form);
  TFileDropHelper second(*other);
  EXPECT_TRUE(AcceptsFiles(*other));
  EXPECT_EQ(second.Control(), other.get());
  other.reset();
  EXPECT_EQ(second.Control(), nullptr);
}

}  // namespace
