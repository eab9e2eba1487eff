#include "ui/Control.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <set>
#include <stdexcept>

#include "sys/codepage.h"
#include "sys/sys.h"
#include "ui/AlignLayout.h"
#include "ui/Dpi.h"
#include "ui/Form.h"
#include "ui/Gdi.h"
#include "ui/Menu.h"

namespace ui {

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

TShiftState CurrentShiftState() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

void ReportException(const char* what) {
  static bool showing = false;
  if (showing) return;
  showing = true;
  struct Reset {
    ~Reset() { showing = false; }
  } reset;
  sys::Current().ShowMessageBox(sys::Widen(what ? what : "?"), L"Error",
                                sys::kMbOk | sys::kMbIconStop | sys::kMbTaskModal);
}

bool RunReporting(const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const std::exception& e) {
    ReportException(e.what());
  } catch (...) {
    ReportException("unknown exception");
  }
  return false;
}

}  // namespace ui

namespace {

constexpr wchar_t kObjectProp[] = L"VelmaraControl";

void RegisterOwnClass(const wchar_t* name, WNDPROC proc) {
  static std::set<std::wstring> registered;
  if (registered.count(name)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = ui::Instance();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // The program's own icon on every window that shows one (the system's without it).
  wc.hIcon = LoadIconW(ui::Instance(), L"MAINICON");
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  if (RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
    registered.insert(name);
  }
}

bool IsParentOf(HWND parent, HWND child) { return child && GetParent(child) == parent; }

// The thread's open align batches and the controls they held, in order.
thread_local int alignBatches = 0;
thread_local std::vector<TControl*> heldAligns;

int Depth(const TControl* control) {
  int depth = 0;
  for (const TControl* c = control->Parent(); c; c = c->Parent()) ++depth;
  return depth;
}

}  // namespace

void TControl::RegisterOwnWindowClass(const wchar_t* className) {
  RegisterOwnClass(className, OwnWindowProc);
}

TControl::TControl(TControl* parent) : parent_(parent) {
  if (parent_) {
    parent_->children_.push_back(this);
    parent_->tabList_.push_back(this);
    font_ = parent_->font_;
  }
  if (!font_) font_ = ui::DefaultFont();
}

TControl::~TControl() {
  Untrack();
  if (alignHeld_) std::replace(heldAligns.begin(), heldAligns.end(), this, static_cast<TControl*>(nullptr));
  DestroyHandle();
  for (TControl* child : children_) child->parent_ = nullptr;
  if (parent_) {
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    auto& tabs = parent_->tabList_;
    tabs.erase(std::remove(tabs.begin(), tabs.end(), this), tabs.end());
  }
}

void TControl::operator delete(TControl* control, std::destroying_delete_t) {
  void* memory = dynamic_cast<void*>(control);
  control->DestroyHandle();
  control->~TControl();
  ::operator delete(memory);
}

TControl* TControl::FromHandle(HWND window) {
  if (!window) return nullptr;
  return static_cast<TControl*>(GetPropW(window, kObjectProp));
}

TForm* TControl::ParentForm() {
  for (TControl* c = this; c; c = c->parent_) {
    if (c->isForm_) return static_cast<TForm*>(c);
  }
  return nullptr;
}

void TControl::CreateOwnWindow(const CreateParams& params, const wchar_t* className) {
  RegisterOwnClass(className, OwnWindowProc);
  HWND parentWindow = params.parentWindow;
  if (!parentWindow && parent_) parentWindow = parent_->ClientWindow();
  HWND window = CreateWindowExW(params.exStyle, className, params.text.c_str(), params.style,
                                params.x, params.y, params.width, params.height, parentWindow,
                                params.menuOrId, ui::Instance(), this);
  if (!window) throw std::runtime_error("CreateWindowEx failed");
  if (!handle_) Attach(window);  // in case WM_NCCREATE came before we could see it
  SendMessageW(handle_, WM_SETFONT, ui::AsWParam(font_), FALSE);
}

void TControl::CreateSystemWindow(const CreateParams& params) {
  HWND parentWindow = params.parentWindow;
  if (!parentWindow && parent_) parentWindow = parent_->ClientWindow();
  HWND window = CreateWindowExW(params.exStyle, params.className, params.text.c_str(), params.style,
                                params.x, params.y, params.width, params.height, parentWindow,
                                params.menuOrId, ui::Instance(), params.createParam);
  if (!window) throw std::runtime_error("CreateWindowEx failed");
  Attach(window);
  // Subclassed by hand: the common controls' own way looks its data up in a
  // window property at every message, a round trip to the Wine server each.
  // The window keeps this procedure when we let go; it passes messages on to
  // its class's then.
  classProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TControl::SubclassProc)));
  SendMessageW(handle_, WM_SETFONT, ui::AsWParam(font_), FALSE);
}

void TControl::Attach(HWND window) {
  handle_ = window;
  SetPropW(window, kObjectProp, this);
  // The slot the system leaves to the program, in the system's classes too.
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (isForm_) static_cast<TForm*>(this)->dpi_ = ui::WindowDpi(window);
}

void TControl::Detach() {
  if (!handle_) return;
  RemovePropW(handle_, kObjectProp);
  SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
  handle_ = nullptr;
}

void TControl::DestroyHandle() {
  if (!handle_) return;
  HWND window = handle_;
  Detach();
  DestroyWindow(window);
}

LRESULT CALLBACK TControl::OwnWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  TControl* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = ui::AsPointer<CREATESTRUCTW>(lParam);
    void* param = cs->lpCreateParams;
    if ((cs->dwExStyle & WS_EX_MDICHILD) && param) {
      param = reinterpret_cast<void*>(static_cast<MDICREATESTRUCTW*>(param)->lParam);
    }
    self = static_cast<TControl*>(param);
    if (self) self->Attach(window);
  } else {
    self = reinterpret_cast<TControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self) {
    if (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_MDICHILD) {
      return DefMDIChildProcW(window, msg, wParam, lParam);
    }
    return DefWindowProcW(window, msg, wParam, lParam);
  }
  return self->Dispatch(msg, wParam, lParam);
}

LRESULT CALLBACK TControl::SubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || self->handle_ != window) {
    return CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)), window, msg,
                           wParam, lParam);
  }
  return self->Dispatch(msg, wParam, lParam);
}

LRESULT TControl::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) {
    const LRESULT result = DefaultProc(msg, wParam, lParam);
    Detach();
    return result;
  }
  // A drag waiting for input must hear that it lost the mouse.
  if (msg == WM_CAPTURECHANGED && DraggedControl() == this) PostMessageW(handle_, WM_NULL, 0, 0);
  // No exception may cross into the system's code that called us.
  LRESULT result = 0;
  const HWND window = handle_;
  if (!ui::RunReporting([&] { result = OnMessage(msg, wParam, lParam); }) && msg == WM_PAINT) {
    // Else the same failure comes back with the next WM_PAINT, for ever.
    ValidateRect(window, nullptr);
  }
  return result;
}

LRESULT TControl::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!handle_) return 0;
  if (classProc_) return CallWindowProcW(classProc_, handle_, msg, wParam, lParam);
  return DefWindowProcW(handle_, msg, wParam, lParam);
}

LRESULT TControl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (msg) {
    case WM_COMMAND:
      if (RouteToChild(msg, wParam, lParam, result)) return result;
      if (lParam == 0 && TMenuItem::DispatchCommand(LOWORD(wParam))) return 0;
      break;
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (RouteToChild(msg, wParam, lParam, result)) return result;
      break;
    case WM_INITMENUPOPUP:
      TMenuItem::DispatchPopup(ui::AsHandle<HMENU>(wParam));
      break;
    case WM_SIZE: {
      result = DefaultProc(msg, wParam, lParam);
      Realign();
      if (OnResize) OnResize();
      return result;
    }
    case WM_SETFOCUS:
      NoteFocus();
      break;
    case WM_CHAR:
      if (OnKeyPress) {
        wchar_t key = static_cast<wchar_t>(wParam);
        OnKeyPress(key);
        if (key == 0) return 0;
        wParam = key;
      }
      break;
    case WM_CONTEXTMENU:
      if (ShowPopupMenu(lParam)) return 0;
      break;
    case WM_DROPFILES:
      if (OnShellDrop) {
        const auto handler = OnShellDrop;  // it may replace itself
        handler(wParam);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

bool TControl::RouteToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND from = nullptr;
  switch (msg) {
    case WM_NOTIFY:
      from = ui::AsPointer<NMHDR>(lParam)->hwndFrom;
      break;
    case WM_DRAWITEM: {
      auto* item = ui::AsPointer<DRAWITEMSTRUCT>(lParam);
      if (item->CtlType != ODT_MENU) from = item->hwndItem;
      break;
    }
    case WM_MEASUREITEM: {
      auto* item = ui::AsPointer<MEASUREITEMSTRUCT>(lParam);
      if (item->CtlType != ODT_MENU) from = GetDlgItem(handle_, static_cast<int>(item->CtlID));
      break;
    }
    default:
      from = reinterpret_cast<HWND>(lParam);
      break;
  }
  if (!IsParentOf(handle_, from)) return false;
  TControl* child = FromHandle(from);
  if (!child || child == this) return false;
  switch (msg) {
    case WM_COMMAND:
      result = 0;
      return child->OnCommand(HIWORD(wParam));
    case WM_NOTIFY:
      return child->OnNotify(*ui::AsPointer<NMHDR>(lParam), result);
    default:
      return child->OnReflect(msg, wParam, lParam, result);
  }
}

bool TControl::OnCommand(WORD) { return false; }
bool TControl::OnNotify(NMHDR&, LRESULT&) { return false; }
bool TControl::OnReflect(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void TControl::NoteFocus() {
  TForm* form = ParentForm();
  if (!form || form == this) return;
  form->FocusMovedTo(this);
}

bool TControl::ShowPopupMenu(LPARAM lParam) {
  if (!popupMenu_ || !handle_) return false;
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (lParam == -1) {  // from the keyboard: below the control's top left corner
    RECT r{};
    GetWindowRect(handle_, &r);
    const int inset = ui::TScale(*this)(8);
    pt = POINT{r.left + inset, r.top + inset};
  }
  popupMenu_->Popup(pt.x, pt.y, handle_, this);
  return true;
}

void TControl::SetAlign(TAlign align) {
  if (align_ == align) return;
  align_ = align;
  if (parent_) parent_->Realign();
}

TRect TControl::BoundsRect() const {
  if (!handle_) return {};
  RECT r{};
  GetWindowRect(handle_, &r);
  HWND parent = GetAncestor(handle_, GA_PARENT);
  if (parent && parent != GetDesktopWindow()) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  }
  return {r.left, r.top, r.right, r.bottom};
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (!handle_) return;
  const TRect now = BoundsRect();
  if (now == BoundsToRect(left, top, width, height)) return;
  SetWindowPos(handle_, nullptr, left, top, std::max(0, width), std::max(0, height),
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (align_ != alNone && parent_) parent_->Realign();
}

void TControl::SetLeft(int left) {
  const TRect b = BoundsRect();
  SetBounds(left, b.top, b.Width(), b.Height());
}
void TControl::SetTop(int top) {
  const TRect b = BoundsRect();
  SetBounds(b.left, top, b.Width(), b.Height());
}
void TControl::SetWidth(int width) {
  const TRect b = BoundsRect();
  SetBounds(b.left, b.top, width, b.Height());
}
void TControl::SetHeight(int height) {
  const TRect b = BoundsRect();
  SetBounds(b.left, b.top, b.Width(), height);
}

TRect TControl::ClientRect() const {
  if (!handle_) return {};
  RECT r{};
  GetClientRect(handle_, &r);
  return {r.left, r.top, r.right, r.bottom};
}

bool TControl::Visible() const {
  return handle_ && (GetWindowLongW(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TControl::SetVisible(bool visible) {
  if (!handle_ || Visible() == visible) return;
  ShowWindow(handle_, visible ? ShowCommand() : SW_HIDE);
  if (align_ != alNone && parent_) parent_->Realign();
}

bool TControl::Showing() const { return handle_ && IsWindowVisible(handle_); }

bool TControl::Enabled() const { return handle_ && IsWindowEnabled(handle_); }

void TControl::SetEnabled(bool enabled) {
  if (handle_ && Enabled() != enabled) EnableWindow(handle_, enabled);
}

void TControl::SetFont(HFONT font) {
  parentFont_ = false;
  font_ = font ? font : ui::DefaultFont();
  if (handle_) SendMessageW(handle_, WM_SETFONT, ui::AsWParam(font_), TRUE);
  std::vector<TControl*> pending(children_.begin(), children_.end());
  while (!pending.empty()) {
    TControl* child = pending.back();
    pending.pop_back();
    if (!child->parentFont_) continue;
    child->font_ = child->parent_->font_;
    if (child->handle_) SendMessageW(child->handle_, WM_SETFONT, ui::AsWParam(child->font_), TRUE);
    pending.insert(pending.end(), child->children_.begin(), child->children_.end());
  }
}

std::wstring TControl::Text() const {
  if (!handle_) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TControl::SetText(std::wstring_view text) {
  if (!handle_ || Text() == text) return;
  SetWindowTextW(handle_, std::wstring(text).c_str());
}

bool TControl::CanFocus() const {
  return handle_ && IsWindowVisible(handle_) && IsWindowEnabled(handle_);
}

void TControl::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

bool TControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TControl::Realign() {
  if (!handle_ || aligning_) return;
  if (alignBatches > 0) {
    if (!alignHeld_) heldAligns.push_back(this);
    alignHeld_ = true;
    return;
  }
  alignHeld_ = false;
  aligning_ = true;
  try {
    AlignControls();
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

TRect TControl::AlignArea() const { return ClientRect(); }

void TControl::AlignControls() {
  std::vector<TAlignItem> items;
  std::vector<TControl*> aligned;
  for (TControl* child : children_) {
    if (child->align_ == alNone || !child->handle_) continue;
    items.push_back({child->align_, child->BoundsRect(), child->Visible()});
    aligned.push_back(child);
  }
  if (items.empty()) return;
  std::vector<TRect> before;
  for (const TAlignItem& item : items) before.push_back(item.bounds);
  AlignItems(AlignArea(), items);
  HDWP positions = BeginDeferWindowPos(static_cast<int>(items.size()));
  for (size_t i = 0; i < items.size(); ++i) {
    if (!items[i].visible || items[i].bounds == before[i]) continue;
    const TRect& b = items[i].bounds;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (positions) {
      positions = DeferWindowPos(positions, aligned[i]->handle_, nullptr, b.left, b.top, b.Width(),
                                 b.Height(), flags);
    } else {
      SetWindowPos(aligned[i]->handle_, nullptr, b.left, b.top, b.Width(), b.Height(), flags);
    }
  }
  if (positions) EndDeferWindowPos(positions);
}

void TControl::Invalidate(bool erase) {
  if (handle_) InvalidateRect(handle_, nullptr, erase);
}

void TControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TControl::BringToFront() {
  if (handle_) SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return handle_ ? SendMessageW(handle_, msg, wParam, lParam) : 0;
}

TPopupMenu* TControl::PopupMenu() const { return popupMenu_.Get(); }
void TControl::SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

bool TControl::TabStop() const {
  return handle_ && (GetWindowLongW(handle_, GWL_STYLE) & WS_TABSTOP) != 0;
}

void TControl::SetTabStop(bool tabStop) {
  if (!handle_ || TabStop() == tabStop) return;
  const LONG style = GetWindowLongW(handle_, GWL_STYLE);
  SetWindowLongW(handle_, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

int TControl::TabOrder() const {
  if (!parent_) return -1;
  const auto& tabs = parent_->tabList_;
  return static_cast<int>(std::find(tabs.begin(), tabs.end(), this) - tabs.begin());
}

void TControl::SetTabOrder(int order) {
  if (!parent_) return;
  auto& tabs = parent_->tabList_;
  tabs.erase(std::remove(tabs.begin(), tabs.end(), this), tabs.end());
  order = std::clamp(order, 0, static_cast<int>(tabs.size()));
  tabs.insert(tabs.begin() + order, this);
}

bool TControl::DialogChar(WORD) { return false; }

WORD TControl::AccelKey(std::wstring_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    const wchar_t c = caption[i + 1];
    if (c == L'&') {
      ++i;
      continue;
    }
    if (c >= L'a' && c <= L'z') return static_cast<WORD>(c - L'a' + L'A');
    return static_cast<WORD>(c);
  }
  return 0;
}

TAlignBatch::TAlignBatch() { ++alignBatches; }

TAlignBatch::TAlignBatch(TControl& window) : TAlignBatch() {
  if (window.Handle() && IsWindowVisible(window.Handle())) {
    drawingHeld_ = window.Handle();
    SendMessageW(drawingHeld_, WM_SETREDRAW, FALSE, 0);
  }
}

void TAlignBatch::End() {
  if (ended_) return;
  ended_ = true;
  if (--alignBatches == 0) LayOutHeld();
  // A batch inside another draws its window again now; its layout comes with the outer one's.
  if (drawingHeld_ && IsWindow(drawingHeld_)) {
    SendMessageW(drawingHeld_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(drawingHeld_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

void TAlignBatch::LayOutHeld() {
  std::vector<TControl*> held;
  held.swap(heldAligns);
  // A parent's layout resizes its children, which lay themselves out then:
  // most of those below are done by the time their turn comes.
  std::stable_sort(held.begin(), held.end(), [](const TControl* a, const TControl* b) {
    return a && b ? Depth(a) < Depth(b) : a != nullptr && b == nullptr;
  });
  heldAligns = held;  // a control destroyed meanwhile blanks its entry here
  for (size_t i = 0; i < heldAligns.size(); ++i) {
    TControl* control = heldAligns[i];
    if (control && control->alignHeld_) control->Realign();
  }
  heldAligns.clear();
}
