// Lifetimes by construction: a form deleted with focus inside and messages
// pending, pointers to freed controls, menus and windows, and failures from
// WM_PAINT or a handler that must not stack error boxes.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "sys/memory/MemoryBackend.h"
#include "tests/support/Input.h"
#include "tests/ui/TestWindow.h"

namespace {

// Every event handler notes whether it ran after the form began to go.
class TBusyForm : public TTestWindow {
 public:
  explicit TBusyForm(int& lateEvents) : lateEvents_(lateEvents) {
    edit.SetBounds(5, 5, 120, 21);
    list.SetBounds(5, 40, 200, 100);
    list.AddColumn(L"名", 150);
    list.SetItemCount(static_cast<int>(rows.size()));
    auto note = [this] {
      if (destroying_) ++lateEvents_;
    };
    edit.OnExit = note;
    edit.OnChange = note;
    list.OnExit = note;
    list.OnGetText = [this](int item, int, std::wstring& text) {
      if (destroying_) ++lateEvents_;
      text = rows.at(static_cast<size_t>(item));
    };
    OnActivate = note;
  }
  ~TBusyForm() override { destroying_ = true; }

  std::vector<std::wstring> rows{L"一", L"二", L"三"};
  TEdit edit{*this};
  TListView list{*this, TListViewOptions{.ownerData = true}};

 protected:
  // As a real form's own message handling does, with members to touch.
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (destroying_) ++lateEvents_;
    return TTestWindow::OnMessage(msg, wParam, lParam);
  }

 private:
  int& lateEvents_;
  bool destroying_ = false;
};

TEST(Lifetime, AFormDeletedWithFocusInsideAndMessagesPendingRunsNoHandlerOfItsOwn) {
  int lateEvents = 0;
  auto form = std::make_unique<TBusyForm>(lateEvents);
  input::Activate(form->Handle());
  form->edit.SetFocus();
  const HWND edit = form->edit.Handle();
  const HWND list = form->list.Handle();
  PostMessageW(edit, WM_CHAR, 'x', 0);
  PostMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
  InvalidateRect(list, nullptr, TRUE);
  form.reset();
  input::Settle();
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(lateEvents, 0);
}

TEST(Lifetime, PointersToFreedControlsAndMenusTurnNullAndObjectsOutliveTheirWindows) {
  TTestWindow form;
  TCompPanel panel(form);
  auto child = std::make_unique<TEdit>(panel);
  panel.SetMainChild(child.get());
  TLabel label(form, L"标签(&L)");
  label.SetFocusControl(child.get());
  auto menu = std::make_unique<TPopupMenu>();
  child->SetPopupMenu(menu.get());
  menu.reset();
  EXPECT_EQ(child->PopupMenu(), nullptr);
  child.reset();
  EXPECT_EQ(panel.MainChild(), nullptr);
  EXPECT_EQ(label.FocusControl(), nullptr);
  panel.SetFocus();  // nothing to hand the focus to, and no dangling pointer

  // Objects outlive their windows safely.
  auto outer = std::make_unique<TPanel>(form);
  TEdit edit(*outer);
  DestroyWindow(outer->Handle());  // the system takes both windows
  EXPECT_EQ(outer->Handle(), nullptr);
  EXPECT_EQ(edit.Handle(), nullptr);
  edit.SetText(L"ignored");
  EXPECT_EQ(edit.Text(), L"");
  EXPECT_FALSE(edit.Visible());
  outer.reset();
  EXPECT_EQ(edit.Parent(), nullptr);
}

class TFailingPaint : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int paints = 0;
  std::function<void()> duringBox;

 protected:
  void Paint(HDC, const RECT&) override {
    ++paints;
    throw std::runtime_error("Paint failed");
  }
};

TEST(Lifetime, APaintThatKeepsFailingShowsOneBoxNotOneAPaintAndAFailingHandlerOneBox) {
  sys::MemoryBackend memory;
  sys::ScopedBackend scoped(memory);
  TTestWindow form;
  form.Show();
  TFailingPaint control(form);
  control.SetBounds(0, 0, 50, 50);
  // While the box shows, the system paints again (the box runs a loop): no second box.
  memory.onMessageBox = [&] {
    control.Invalidate();
    control.Update();
  };
  control.Invalidate();
  control.Update();
  input::Settle();
  EXPECT_EQ(control.paints, 2);
  ASSERT_EQ(memory.Messages().size(), 1u);
  EXPECT_EQ(memory.Messages()[0].text, L"Paint failed");
  // The failed paint left nothing to repaint: no new WM_PAINT, no new box.
  memory.onMessageBox = nullptr;
  input::Settle();
  EXPECT_EQ(memory.Messages().size(), 1u);

  // An exception in a handler is shown likewise and stops there.
  TButton button(form, L"throws");
  button.OnClick = [] { throw std::logic_error("pcNavChange - unknown ActivePage!"); };
  button.Perform(BM_CLICK);
  ASSERT_EQ(memory.Messages().size(), 2u);
  EXPECT_EQ(memory.Messages()[1].text, L"pcNavChange - unknown ActivePage!");
  EXPECT_EQ(memory.Messages()[1].caption, L"Error");
  EXPECT_TRUE(IsWindow(form.Handle()));
}

}  // namespace
