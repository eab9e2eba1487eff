#include "ui/Form.h"

#include <algorithm>

#include "ui/Dpi.h"
#include "ui/Gdi.h"
#include "ui/Menu.h"

namespace {

constexpr UINT kReleaseChildren = WM_APP + 0x3F0;
constexpr UINT kFirstWindowListId = 0xFF00;
TForm* g_mainForm = nullptr;

template <typename T>
bool Contains(const std::vector<T*>& list, const T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

// --- TForm

TForm::TForm() : TControl(nullptr) { isForm_ = true; }

TForm::~TForm() {
  if (g_mainForm == this) g_mainForm = nullptr;
}

TForm* TForm::MainForm() { return g_mainForm; }

void TForm::MakeMainForm() {
  if (!g_mainForm) g_mainForm = this;
}

void TForm::CreateForm(std::wstring_view caption, DWORD style, DWORD exStyle, const TRect& bounds) {
  CreateParams params;
  params.text = std::wstring(caption);
  params.style = style;
  params.exStyle = exStyle;
  params.x = bounds.left;
  params.y = bounds.top;
  params.width = bounds.right;
  params.height = bounds.bottom;
  CreateOwnWindow(params, L"VelmaraForm");
}

void TForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  if (!Handle()) return;
  ::SetMenu(Handle(), menu && menuBarVisible_ ? menu->Handle() : nullptr);
  DrawMenuBar(Handle());
}

void TForm::SetMenuBarVisible(bool visible) {
  if (visible == menuBarVisible_) return;
  menuBarVisible_ = visible;
  SetMenu(menu_);
}

void TForm::SetMinSize(int width, int height) { minSize_ = SIZE{width, height}; }

void TForm::ChangeDpi(int dpi, const RECT* bounds) {
  const int old = dpi_;
  if (dpi <= 0) return;
  dpi_ = dpi;
  if (old != dpi) {
    TAlignBatch batch;
    auto rescale = [old, dpi](int pixels) { return ui::RescaleDpi(pixels, old, dpi); };
    minSize_ = SIZE{rescale(minSize_.cx), rescale(minSize_.cy)};
    // Parents before their children; forms within (none but MDI children,
    // which their frame rescales) keep their own.
    std::vector<TControl*> pending(Controls().begin(), Controls().end());
    while (!pending.empty()) {
      TControl* control = pending.back();
      pending.pop_back();
      if (control->isForm_) continue;
      const TRect r = control->BoundsRect();
      control->SetBounds(rescale(r.left), rescale(r.top), rescale(r.Width()), rescale(r.Height()));
      control->ScaleContent(old, dpi);
      if (!control->parentFont_) {
        if (HFONT font = ui::InterfaceFontAtDpi(control->Font(), dpi)) control->SetFont(font);
      }
      pending.insert(pending.end(), control->Controls().begin(), control->Controls().end());
    }
    HFONT font = ui::InterfaceFontAtDpi(Font(), dpi);
    SetFont(font ? font : Font());
  }
  if (bounds) {
    SetWindowPos(Handle(), nullptr, bounds->left, bounds->top, bounds->right - bounds->left,
                 bounds->bottom - bounds->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Realign();
  if (old != dpi && OnDpiChanged) OnDpiChanged();
}

TWindowState TForm::WindowState() const {
  if (!Handle()) return wsNormal;
  if (!IsWindowVisible(Handle())) return showState_;
  if (IsIconic(Handle())) return wsMinimized;
  return IsZoomed(Handle()) ? wsMaximized : wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  if (!Handle()) return;
  if (!IsWindowVisible(Handle())) {
    showState_ = state;
    return;
  }
  if (WindowState() == state) return;
  static constexpr int kCommands[] = {SW_RESTORE, SW_SHOWMINNOACTIVE, SW_SHOWMAXIMIZED};
  ShowWindow(Handle(), kCommands[state]);
}

int TForm::ShowCommand() {
  const TWindowState state = showState_;
  showState_ = wsNormal;
  if (state == wsMaximized) return SW_SHOWMAXIMIZED;
  if (state == wsMinimized) return SW_SHOWMINIMIZED;
  return TControl::ShowCommand();
}

void TForm::SetActiveControl(TControl* control) {
  if (control && control->CanFocus() && Showing()) {
    control->SetFocus();
  } else {
    activeControl_ = control;
  }
}

void TForm::FocusMovedTo(TControl* control) {
  TControl* old = activeControl_.Get();
  if (old == control) return;
  activeControl_ = control;
  auto chain = [this](TControl* c) {
    std::vector<TControl*> list;
    for (; c && c != this; c = c->Parent()) list.push_back(c);
    return list;
  };
  const std::vector<TControl*> oldChain = chain(old);
  const std::vector<TControl*> newChain = chain(control);
  for (TControl* c : oldChain) {
    if (!Contains(newChain, c) && c->OnExit) c->OnExit();
  }
  for (auto it = newChain.rbegin(); it != newChain.rend(); ++it) {
    if (!Contains(oldChain, *it) && (*it)->OnEnter) (*it)->OnEnter();
  }
}

void TForm::Close() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(canClose);
  if (!canClose) return;
  if (modal_) {
    // The modal run ends and hides the form.
    modalResult_ = mrCancel;
    return;
  }
  TCloseAction action = DefaultCloseAction();
  if (OnClose) OnClose(action);
  switch (action) {
    case caNone:
      break;
    case caHide:
      Hide();
      break;
    case caMinimize:
      ShowWindow(Handle(), SW_MINIMIZE);
      break;
    case caFree:
      Release();
      break;
  }
}

void TForm::Release() {
  if (Handle()) DestroyWindow(Handle());
}

LRESULT TForm::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DPICHANGED:
      ChangeDpi(HIWORD(wParam), ui::AsPointer<RECT>(lParam));
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = ui::AsPointer<MINMAXINFO>(lParam);
      info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, minSize_.cx);
      info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, minSize_.cy);
      break;
    }
    case WM_WINDOWPOSCHANGED:
      // Visible is already true here, as the handlers expect.
      if ((ui::AsPointer<WINDOWPOS>(lParam)->flags & SWP_SHOWWINDOW) && OnShow) {
        const LRESULT result = TControl::OnMessage(msg, wParam, lParam);
        OnShow();
        return result;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && OnActivate) OnActivate();
      break;
    case WM_SETFOCUS:
      if (activeControl_ && activeControl_.Get() != this && activeControl_->CanFocus()) {
        activeControl_->SetFocus();
        return 0;
      }
      break;
    case WM_DESTROY:
      // The menu belongs to its object, not to the window.
      if (menu_) ::SetMenu(Handle(), nullptr);
      if (g_mainForm == this) PostQuitMessage(0);
      break;
    default:
      break;
  }
  return TControl::OnMessage(msg, wParam, lParam);
}

// --- TMDIClient

TMDIClient::TMDIClient(TControl& frame, HMENU windowMenu) : TControl(&frame) {
  CLIENTCREATESTRUCT ccs{};
  ccs.hWindowMenu = windowMenu;
  ccs.idFirstChild = kFirstWindowListId;
  CreateParams params;
  params.className = L"MDICLIENT";
  params.style = WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE;
  params.exStyle = WS_EX_CLIENTEDGE;
  params.createParam = &ccs;
  CreateSystemWindow(params);
  SetAlign(alClient);
}

// --- TMDIFrame

TMDIFrame::TMDIFrame(std::wstring_view caption, int width, int height) {
  CreateForm(caption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
             TRect{CW_USEDEFAULT, CW_USEDEFAULT, width, height});
  client_ = std::make_unique<TMDIClient>(*this, nullptr);
  Realign();
}

TMDIFrame::~TMDIFrame() {
  for (TMDIChild* child : mdiChildren_) child->frameGone_ = true;
  DestroyHandle();
}

LRESULT TMDIFrame::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!Handle()) return 0;
  return DefFrameProcW(Handle(), ClientHandle(), msg, wParam, lParam);
}

LRESULT TMDIFrame::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kReleaseChildren) {
    std::vector<TMDIChild*> batch;
    batch.swap(releasing_);
    for (TMDIChild* child : batch) {
      if (OnChildRelease) OnChildRelease(*child);
    }
    return 0;
  }
  return TForm::OnMessage(msg, wParam, lParam);
}

void TMDIFrame::ChangeDpi(int dpi, const RECT* bounds) {
  const int old = Dpi();
  TForm::ChangeDpi(dpi, bounds);
  if (old == dpi) return;
  for (TMDIChild* child : mdiChildren_) {
    if (!child->Handle()) continue;
    const TRect r = child->BoundsRect();
    auto rescale = [old, dpi](int pixels) { return ui::RescaleDpi(pixels, old, dpi); };
    const RECT moved{rescale(r.left), rescale(r.top), rescale(r.right), rescale(r.bottom)};
    child->ChangeDpi(dpi, IsZoomed(child->Handle()) ? nullptr : &moved);
  }
}

TMDIChild* TMDIFrame::ActiveMDIChild() const {
  if (!ClientHandle()) return nullptr;
  auto active = reinterpret_cast<HWND>(SendMessageW(ClientHandle(), WM_MDIGETACTIVE, 0, 0));
  for (TMDIChild* child : mdiChildren_) {
    if (active && child->Handle() == active) return child;
  }
  return nullptr;
}

void TMDIFrame::Tile() {
  if (ClientHandle()) SendMessageW(ClientHandle(), WM_MDITILE, MDITILE_VERTICAL, 0);
}

void TMDIFrame::Cascade() {
  if (ClientHandle()) SendMessageW(ClientHandle(), WM_MDICASCADE, 0, 0);
}

void TMDIFrame::SetWindowMenu(HMENU menu) {
  if (!ClientHandle()) return;
  SendMessageW(ClientHandle(), WM_MDISETMENU, 0, ui::AsLParam(menu));
  DrawMenuBar(Handle());
}

void TMDIFrame::AddChild(TMDIChild* child) { mdiChildren_.push_back(child); }

void TMDIFrame::RemoveChild(TMDIChild* child) {
  mdiChildren_.erase(std::remove(mdiChildren_.begin(), mdiChildren_.end(), child),
                     mdiChildren_.end());
  releasing_.erase(std::remove(releasing_.begin(), releasing_.end(), child), releasing_.end());
}

void TMDIFrame::QueueRelease(TMDIChild* child) {
  if (Contains(releasing_, child)) return;
  releasing_.push_back(child);
  if (Handle()) PostMessageW(Handle(), kReleaseChildren, 0, 0);
}

// --- TMDIChild

TMDIChild::TMDIChild(TMDIFrame& frame, std::wstring_view caption, int width, int height, HFONT font)
    : frame_(frame) {
  RegisterOwnWindowClass(L"VelmaraDocument");
  frame_.AddChild(this);
  const std::wstring title(caption);
  MDICREATESTRUCTW mcs{};
  mcs.szClass = L"VelmaraDocument";
  mcs.szTitle = title.c_str();
  mcs.hOwner = ui::Instance();
  mcs.x = CW_USEDEFAULT;
  mcs.y = CW_USEDEFAULT;
  mcs.cx = width;
  mcs.cy = height;
  mcs.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  mcs.lParam = ui::AsLParam(this);
  SendMessageW(frame.ClientHandle(), WM_MDICREATE, 0, ui::AsLParam(&mcs));
  if (!Handle()) {
    frame_.RemoveChild(this);
    throw std::runtime_error("WM_MDICREATE failed");
  }
  if (font) SetFont(font);
}

TMDIChild::~TMDIChild() {
  DestroyHandle();
  if (!frameGone_) frame_.RemoveChild(this);
}

void TMDIChild::DestroyHandle() {
  HWND window = Handle();
  if (!window) return;
  DetachForDestroy();
  if (!frameGone_ && frame_.ClientHandle()) {
    SendMessageW(frame_.ClientHandle(), WM_MDIDESTROY, ui::AsWParam(window), 0);
  } else {
    DestroyWindow(window);
  }
}

void TMDIChild::Activate() {
  if (Handle() && frame_.ClientHandle()) {
    SendMessageW(frame_.ClientHandle(), WM_MDIACTIVATE, ui::AsWParam(Handle()), 0);
  }
}

void TMDIChild::ShowChild() {
  if (!Handle()) return;
  if (Visible()) {
    // The system shows document windows as it creates them, before the
    // form could set OnShow: run it now.
    if (OnShow) OnShow();
  } else {
    ShowWindow(Handle(), SW_SHOW);
  }
  const bool wasActive = frame_.ActiveMDIChild() == this;
  Activate();
  // Activated as it was created, before the form could set OnActivate.
  if (wasActive && OnActivate) OnActivate();
}

LRESULT TMDIChild::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!Handle()) return 0;
  return DefMDIChildProcW(Handle(), msg, wParam, lParam);
}

LRESULT TMDIChild::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MDIACTIVATE:
      if (reinterpret_cast<HWND>(lParam) == Handle() && OnActivate) {
        const LRESULT result = TForm::OnMessage(msg, wParam, lParam);
        OnActivate();
        return result;
      }
      break;
    case WM_ACTIVATE:  // MDI children are activated through WM_MDIACTIVATE
      return DefaultProc(msg, wParam, lParam);
    case WM_DESTROY:
      if (!frameGone_) frame_.RemoveChild(this);
      break;
    default:
      break;
  }
  return TForm::OnMessage(msg, wParam, lParam);
}

void TMDIChild::Release() {
  HWND window = Handle();
  if (!window || frameGone_) return;
  frame_.RemoveChild(this);
  SendMessageW(frame_.ClientHandle(), WM_MDIDESTROY, ui::AsWParam(window), 0);
  frame_.QueueRelease(this);
}
