// Dragging a list view's rows onto controls of another window, with the
// mouse and keys a user gives, through the system's input queue.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "TestWindow.h"
#include "sys/memory/MemoryBackend.h"
#include "tests/support/Input.h"
#include "widgets/DirTree.h"

namespace {

struct TCall {
  TControl* source = nullptr;
  TPoint pt;
};

class DragDropTest : public ::testing::Test {
 protected:
  DragDropTest() : scoped_(memory_) {
    memory_.AddDirectory("C:\\Fonts");
    memory_.AddDirectory("C:\\Other");
    sourceForm_.SetBounds(20, 20, 300, 300);
    targetForm_.SetBounds(400, 20, 300, 300);
    list_.SetAlign(alLeft);
    list_.SetWidth(280);
    list_.AddColumn(L"文件", 200);
    for (const wchar_t* name : {L"a.ttf", L"b.ttf", L"c.ttf"}) list_.AddItem(name);
    list_.SetAutoDrag(true);
    tree_.SetAlign(alTop);
    tree_.SetHeight(200);
    edit_.SetAlign(alBottom);
    tree_.SetDirectory("C:\\Fonts");
    for (TControl* target : {static_cast<TControl*>(&tree_), static_cast<TControl*>(&edit_)}) {
      target->OnDragOver = [this, target](TControl& source, TPoint pt) {
        overs_.push_back({&source, pt});
        cursors_.push_back(GetCursor());
        return target == &tree_ ? !tree_.FolderAt(pt).empty() : editAccepts_;
      };
      target->OnDragDrop = [this, target](TControl& source, TPoint pt) {
        drops_.push_back({&source, pt});
        dropTargets_.push_back(target);
      };
    }
    sourceForm_.Show();
    targetForm_.Show();
    input::Activate(sourceForm_.Handle());
  }

  POINT RowPoint(int row) {
    RECT r{};
    ListView_GetItemRect(list_.Handle(), row, &r, LVIR_LABEL);
    return input::ScreenPoint(list_.Handle(), r.left + 10, (r.top + r.bottom) / 2);
  }
  POINT FolderPoint(const char* folder) {
    tree_.SetDirectory(folder);
    RECT r{};
    TreeView_GetItemRect(tree_.Tree().Handle(), tree_.Tree().Selected(), &r, TRUE);
    return input::ScreenPoint(tree_.Tree().Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  POINT EditPoint() { return input::ScreenPoint(edit_.Handle(), 10, 5); }
  // Presses on a row, moves off it far enough to start a drag, then goes on.
  void Drag(int row, std::vector<std::function<void()>> then) {
    const POINT start = RowPoint(row);
    std::vector<std::function<void()>> steps = {
        [start] { input::MousePress(start); },
        [start] { input::MouseMove(POINT{start.x + 2, start.y + 1}); },
        [start] { input::MouseMove(POINT{start.x + 20, start.y + 10}); },
    };
    steps.insert(steps.end(), then.begin(), then.end());
    input::Gesture(steps);
  }
  static TPoint ClientOf(const TControl& control, POINT screen) {
    ScreenToClient(control.Handle(), &screen);
    return {screen.x, screen.y};
  }

  sys::MemoryBackend memory_;
  sys::ScopedBackend scoped_;
  TTestWindow sourceForm_;
  TTestWindow targetForm_;
  TListView list_{sourceForm_};
  TVxDirTree tree_{targetForm_};
  TEdit edit_{targetForm_};
  bool editAccepts_ = false;
  std::vector<TCall> overs_;
  std::vector<HCURSOR> cursors_;
  std::vector<TCall> drops_;
  std::vector<TControl*> dropTargets_;
};

TEST_F(DragDropTest, ARowDroppedOnAFolderOfAnotherWindowIsDroppedThereOnceAndARefusingTargetGetsNothing) {
  const POINT folder = FolderPoint("C:\\Other");
  tree_.SetDirectory("C:\\Fonts");
  Drag(1, {[folder] { input::MouseMove(POINT{folder.x - 3, folder.y}); },
           [folder] { input::MouseRelease(folder); }});

  EXPECT_EQ(list_.ItemIndex(), 1) << "the pressed row is the one dragged";
  ASSERT_FALSE(overs_.empty());
  for (const TCall& over : overs_) EXPECT_EQ(over.source, &list_);
  ASSERT_EQ(drops_.size(), 1u);
  EXPECT_EQ(drops_[0].source, &list_);
  EXPECT_EQ(dropTargets_[0], &tree_);
  EXPECT_EQ(drops_[0].pt, ClientOf(tree_, folder));
  EXPECT_EQ(tree_.FolderAt(drops_[0].pt), "C:\\OTHER\\");
  EXPECT_EQ(tree_.Directory(), "C:\\FONTS\\") << "a drop does not select";
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(TControl::DraggedControl(), nullptr);

  // The next drag works as the first, onto an edit box that now takes it.
  editAccepts_ = true;
  drops_.clear();
  const POINT edit = EditPoint();
  Drag(2, {[edit] { input::MouseRelease(edit); }});
  ASSERT_EQ(drops_.size(), 1u);
  EXPECT_EQ(dropTargets_.back(), &edit_);
  EXPECT_EQ(drops_[0].pt, ClientOf(edit_, edit));

  // A refusing target gets nothing and the pointer says no.
  editAccepts_ = false;
  overs_.clear();
  drops_.clear();
  const POINT further{edit.x + 5, edit.y};
  Drag(0, {[edit] { input::MouseMove(edit); }, [further] { input::MouseMove(further); },
           [further] { input::MouseRelease(further); }});
  ASSERT_GE(overs_.size(), 2u);
  EXPECT_EQ(cursors_.back(), LoadCursorW(nullptr, IDC_NO)) << "after the first refusal";
  EXPECT_TRUE(drops_.empty());

  // Nowhere to drop: the source window itself has no handler.
  overs_.clear();
  const POINT row = RowPoint(2);
  Drag(0, {[row] { input::MouseRelease(row); }});
  EXPECT_TRUE(overs_.empty());
  EXPECT_TRUE(drops_.empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragDropTest, EscARightClickOrALostMouseCancel) {
  const POINT folder = FolderPoint("C:\\Other");
  Drag(0, {[folder] { input::MouseMove(folder); }, [] { input::SendKey(VK_ESCAPE); },
           [folder] { input::MouseRelease(folder); }});
  EXPECT_FALSE(overs_.empty()) << "the drag had begun";
  EXPECT_TRUE(drops_.empty());

  Drag(0, {[folder] { input::MouseMove(folder); }, [folder] { input::MousePress(folder, true); },
           [folder] { input::MouseRelease(folder, true); }, [folder] { input::MouseRelease(folder); }});
  EXPECT_TRUE(drops_.empty());

  // Something else takes the mouse (a window that pops up, say).
  tree_.OnDragOver = [this](TControl&, TPoint) {
    SetCapture(edit_.Handle());
    return true;
  };
  Drag(0, {[folder] { input::MouseMove(folder); }, [folder] { input::MouseRelease(folder); }});
  EXPECT_TRUE(drops_.empty());
  ReleaseCapture();
  EXPECT_EQ(TControl::DraggedControl(), nullptr);
}

}  // namespace
