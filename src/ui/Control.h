// TControl: the base of every window of the program. It owns its HWND, sits
// in its parent's list of children, is laid out by its Align, and receives its
// messages in one virtual OnMessage. See ui/Controls.h for how to use it.
#pragma once

#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Lifetime.h"
#include "ui/Types.h"
#include "ui/Win.h"

class TPopupMenu;
class TForm;

class TControl : public TTracked {
 public:
  virtual ~TControl();
  // `delete` (and so unique_ptr) destroys the window first, while the whole
  // object still stands: no message reaches a member control already gone,
  // and no destructor has to remember to do it.
  void operator delete(TControl* control, std::destroying_delete_t);
  // The pair a new-expression frees with when a constructor throws: the
  // object never stood, so there is nothing to destroy.
  static void* operator new(std::size_t size) { return ::operator new(size); }
  static void operator delete(void* memory) { ::operator delete(memory); }

  HWND Handle() const { return handle_; }
  // The object of one of our windows, or null.
  static TControl* FromHandle(HWND window);

  TControl* Parent() const { return parent_; }
  const std::vector<TControl*>& Controls() const { return children_; }
  // The children in tab order.
  const std::vector<TControl*>& TabList() const { return tabList_; }
  // The form this control is on (itself for a form), or null.
  TForm* ParentForm();

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  // Bounds in the parent's client coordinates.
  TRect BoundsRect() const;
  int Left() const { return BoundsRect().left; }
  int Top() const { return BoundsRect().top; }
  int Width() const { return BoundsRect().Width(); }
  int Height() const { return BoundsRect().Height(); }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  TRect ClientRect() const;
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }

  bool Visible() const;
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and all its parents too.
  bool Showing() const;
  bool Enabled() const;
  void SetEnabled(bool enabled);

  // Not owned: the font must outlive the control. Children that kept their
  // parent's font follow it.
  HFONT Font() const { return font_; }
  void SetFont(HFONT font);

  std::wstring Text() const;
  void SetText(std::wstring_view text);

  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool Focused() const;

  // Not owned; forgotten when the menu goes.
  TPopupMenu* PopupMenu() const;
  void SetPopupMenu(TPopupMenu* menu);

  // Tab and Shift+Tab visit the tab stops of a form in the order of each
  // parent's children (creation order unless TabOrder was set).
  bool TabStop() const;
  void SetTabStop(bool tabStop);
  int TabOrder() const;
  // Moves the control to that place among its siblings.
  void SetTabOrder(int order);
  // The control's accelerator (the letter after "&" in its caption) was
  // typed, as VK code `key`: act on it and return true, or false to let
  // other controls see it. Labels focus their control, buttons click, pages
  // show themselves.
  virtual bool DialogChar(WORD key);
  // The letter after the first single "&" of a caption, upper case; 0 for none.
  static WORD AccelKey(std::wstring_view caption);

  // The window's scale changed from `from` to `to` dpi and the control's
  // bounds and font follow it: sizes in pixels it keeps inside (a list
  // view's columns) follow here.
  virtual void ScaleContent(int /*from*/, int /*to*/) {}

  // Lays out the aligned children again (also done on every resize); held
  // while a TAlignBatch lives.
  void Realign();
  void Invalidate(bool erase = true);
  void Update();
  void BringToFront();

  // Focus moved into this control or one of its children / out of them.
  std::function<void()> OnEnter;
  std::function<void()> OnExit;
  std::function<void()> OnResize;
  // Setting `key` to 0 swallows the key.
  std::function<void(WORD& key, TShiftState shift)> OnKeyDown;
  std::function<void(wchar_t& key)> OnKeyPress;
  // WM_DROPFILES: files dropped from the shell, as its drop handle, which the
  // handler releases. Without one the window's class has it.
  std::function<void(WPARAM drop)> OnShellDrop;

  // Drag and drop between the program's controls, across its windows. While
  // a control is dragged, the control under the pointer is asked whether it
  // takes it: the window there or its nearest parent of ours that has an
  // OnDragOver, with the point in that control's client coordinates.
  // Releasing the button over one that takes it calls its OnDragDrop once.
  std::function<bool(TControl& source, TPoint pt)> OnDragOver;
  std::function<void(TControl& source, TPoint pt)> OnDragDrop;
  // Drags this control until the left button is released; Esc, the right
  // button or a lost mouse capture cancel. The pointer shows "no" where
  // nothing takes it. Other messages go on being handled; keys and clicks go
  // nowhere meanwhile. True when it was dropped.
  bool BeginDrag();
  // The control being dragged now, or null.
  static TControl* DraggedControl();

  // Sends a message to the window (0 when it has none).
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;

 protected:
  explicit TControl(TControl* parent);

  struct CreateParams {
    const wchar_t* className = nullptr;  // null: the layer's own panel class
    std::wstring text;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int width = 100;
    int height = 100;
    HWND parentWindow = nullptr;  // default: the parent control's ClientWindow()
    HMENU menuOrId = nullptr;
    void* createParam = nullptr;  // for classes that need their own lpCreateParams
  };
  // A window of one of the layer's own classes; messages come to OnMessage
  // from WM_NCCREATE on.
  void CreateOwnWindow(const CreateParams& params, const wchar_t* className);
  // A window of a system class (EDIT, SysListView32...), subclassed so that
  // its messages come to OnMessage too.
  void CreateSystemWindow(const CreateParams& params);

  virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // What happens to a message no one handled.
  virtual LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // WM_COMMAND this control sent to its parent. True when handled.
  virtual bool OnCommand(WORD code);
  // WM_NOTIFY this control sent to its parent. True when handled; `result`
  // is then the message's result.
  virtual bool OnNotify(NMHDR& header, LRESULT& result);
  // Other messages a parent gets on behalf of this control: WM_HSCROLL,
  // WM_VSCROLL, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*.
  virtual bool OnReflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // The window children are created in (a page control's page, a frame's
  // client area...): by default this control's own window.
  virtual HWND ClientWindow() const { return handle_; }
  // The part of the client area aligned children share.
  virtual TRect AlignArea() const;
  virtual void AlignControls();
  // How SetVisible(true) shows the window (a ShowWindow command).
  virtual int ShowCommand() { return isForm_ ? SW_SHOW : SW_SHOWNA; }
  // Destroys the window now. A form's destructor calls it first so that no
  // message reaches the form while its member controls are going.
  virtual void DestroyHandle();
  // Stops messages coming to this object; the window stays.
  void DetachForDestroy() { Detach(); }
  static void RegisterOwnWindowClass(const wchar_t* className);

 private:
  friend class TForm;
  friend class TAlignBatch;
  static LRESULT CALLBACK OwnWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  void Attach(HWND window);
  void Detach();
  void NoteFocus();
  bool RouteToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool ShowPopupMenu(LPARAM lParam);

  HWND handle_ = nullptr;
  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
  TAlign align_ = alNone;
  HFONT font_ = nullptr;
  bool parentFont_ = true;
  WNDPROC classProc_ = nullptr;  // a system class's procedure, which ours passes messages to
  bool aligning_ = false;
  bool alignHeld_ = false;  // in the pending list of the batch that holds it
  bool isForm_ = false;
  TWeakRef<TPopupMenu> popupMenu_;
  std::vector<TControl*> tabList_;
};

// While one lives, no control of the thread lays out its children: those
// asked to are laid out once when the last batch ends, parents first. A window
// whose controls are made and placed under one moves each of them once, not
// once for every placement above it; that is what a window costs to build.
// Sizes and places read meanwhile are those before the batch.
class TAlignBatch {
 public:
  TAlignBatch();
  // Also holds the drawing of `window` and all within it: placing controls in
  // a window that shows costs several times what it does in one that doesn't.
  explicit TAlignBatch(TControl& window);
  ~TAlignBatch() { End(); }
  TAlignBatch(const TAlignBatch&) = delete;
  TAlignBatch& operator=(const TAlignBatch&) = delete;
  // Ends it before its destructor would.
  void End();

 private:
  static void LayOutHeld();
  HWND drawingHeld_ = nullptr;
  bool ended_ = false;
};

namespace ui {
// Shows an exception that reached a window procedure, as the program shows
// every error, and lets the program go on. One box at a time: a failure that
// repeats while it shows (from WM_PAINT, a timer) adds none.
void ReportException(const char* what);
// Runs `work`, reporting what it throws; false when it threw.
bool RunReporting(const std::function<void()>& work);
}  // namespace ui
