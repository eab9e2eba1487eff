// Windows with a caption: TForm (a top-level window), TMDIFrame (the frame of
// a multiple-document program) and TMDIChild (a document window in it).
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "ui/Control.h"

class TMainMenu;
class TMDIChild;

enum TCloseAction { caNone, caHide, caFree, caMinimize };

enum TWindowState { wsNormal, wsMinimized, wsMaximized };

// How a modal form ended: mrNone while it runs.
enum TModalResult { mrNone, mrOK, mrCancel };

class TForm : public TControl {
 public:
  ~TForm() override;

  // Keys go to the form's OnKeyDown before the focused control's.
  bool KeyPreview = false;

  // The control that has (or last had) the focus on this form.
  TControl* ActiveControl() const { return activeControl_.Get(); }
  void SetActiveControl(TControl* control);

  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // A hidden menu bar keeps its shortcuts working.
  bool MenuBarVisible() const { return menuBarVisible_; }
  void SetMenuBarVisible(bool visible);

  // As if the user closed the window: OnCloseQuery, then OnClose.
  void Close();

  void SetMinSize(int width, int height);

  // The dpi the form is laid out at (ui/Dpi.h): its window's when made, the
  // new one after the system moved it to another scale.
  int Dpi() const { return dpi_; }
  // Lays the form out again at `dpi`: every control's bounds rescaled from
  // the old dpi, the interface fonts swapped for the new dpi's, the window
  // put at `bounds` (the system's suggestion) when given; then OnDpiChanged.
  // WM_DPICHANGED comes here.
  virtual void ChangeDpi(int dpi, const RECT* bounds);

  TWindowState WindowState() const;
  // A hidden form takes the state when it is next shown.
  void SetWindowState(TWindowState state);

  // Set by a button with a ModalResult; a modal run ends when it is not mrNone.
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  // True while the form runs modally (TDialog::ShowModal).
  bool Modal() const { return modal_; }
  void SetModal(bool modal) { modal_ = modal; }

  std::function<void()> OnShow;
  std::function<void()> OnActivate;
  std::function<void(bool& canClose)> OnCloseQuery;
  std::function<void(TCloseAction& action)> OnClose;
  // After ChangeDpi: sizes the form measures or draws itself are redone here.
  std::function<void()> OnDpiChanged;

  // The first form made main ends the message loop when it is destroyed.
  static TForm* MainForm();
  void MakeMainForm();

 protected:
  TForm();
  void CreateForm(std::wstring_view caption, DWORD style, DWORD exStyle, const TRect& bounds);
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  int ShowCommand() override;
  virtual TCloseAction DefaultCloseAction() const { return caHide; }
  // What caFree does.
  virtual void Release();

 private:
  friend class TControl;
  void FocusMovedTo(TControl* control);

  TWeakRef<TControl> activeControl_;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false;
  TMainMenu* menu_ = nullptr;
  bool menuBarVisible_ = true;
  SIZE minSize_{0, 0};
  bool shownOnce_ = false;
  int dpi_ = 96;
  TWindowState showState_ = wsNormal;
};

// The area of a frame its document windows live in.
class TMDIClient : public TControl {
 public:
  TMDIClient(TControl& frame, HMENU windowMenu);
};

class TMDIFrame : public TForm {
 public:
  ~TMDIFrame() override;

  HWND ClientHandle() const { return client_ ? client_->Handle() : nullptr; }
  TMDIChild* ActiveMDIChild() const;
  // Document windows in the order they were opened.
  const std::vector<TMDIChild*>& MDIChildren() const { return mdiChildren_; }
  int MDIChildCount() const { return static_cast<int>(mdiChildren_.size()); }

  void Tile();
  void Cascade();
  // The menu the open windows are listed in.
  void SetWindowMenu(HMENU menu);

  // A document window closed with caFree: its object may now be deleted.
  // Called from the frame's own message handling, never inside the child's.
  std::function<void(TMDIChild& child)> OnChildRelease;

 protected:
  TMDIFrame(std::wstring_view caption, int width, int height);
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  TCloseAction DefaultCloseAction() const override { return caFree; }

 public:
  // The child windows inside the frame take its new scale with it.
  void ChangeDpi(int dpi, const RECT* bounds) override;

 private:
  friend class TMDIChild;
  void AddChild(TMDIChild* child);
  void RemoveChild(TMDIChild* child);
  void QueueRelease(TMDIChild* child);

  std::unique_ptr<TMDIClient> client_;
  std::vector<TMDIChild*> mdiChildren_;
  std::vector<TMDIChild*> releasing_;
};

class TMDIChild : public TForm {
 public:
  ~TMDIChild() override;
  TMDIFrame& Frame() const { return frame_; }
  // Makes it the active document window.
  void Activate();
  // Shows it (the first time runs OnShow) and activates it.
  void ShowChild();

 protected:
  // Show it with ShowChild once its controls are in place; that runs OnShow.
  // Controls made on it take `font` (when given) from the start.
  TMDIChild(TMDIFrame& frame, std::wstring_view caption, int width, int height, HFONT font = nullptr);
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  TCloseAction DefaultCloseAction() const override { return caFree; }
  void Release() override;
  void DestroyHandle() override;

 private:
  friend class TMDIFrame;
  TMDIFrame& frame_;
  bool frameGone_ = false;
};
