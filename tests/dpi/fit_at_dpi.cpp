// Every form and dialog of the program at the display scale the prefix runs
// at: each label's, button's, check box's, radio button's and tab's caption
// fits its control, and no two shown sibling controls overlap. Run by
// check_dpi.sh once per scale, in a prefix of that scale's own.
//   fit_at_dpi.exe DPI
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/VLMChild.h"
#include "app/VLMMain.h"
#include "app/VLMQuestion.h"
#include "app/VLMRenameFile.h"
#include "app/VLMStatus.h"
#include "sys/codepage.h"
#include "tests/support/Input.h"
#include "ui/Application.h"
#include "ui/Dialog.h"
#include "ui/Dpi.h"
#include "ui/TProgress.h"

namespace {

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(), size, nullptr,
                      nullptr);
  return result;
}

int g_failures = 0;
int g_checked = 0;
std::string g_where;

void Fail(HWND window, const std::string& what) {
  ++g_failures;
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  std::printf("FAIL %s: %s \"%s\": %s\n", g_where.c_str(), Utf8(cls).c_str(),
              Utf8(text).c_str(), what.c_str());
}

std::wstring ClassOf(HWND window) {
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  return cls;
}

// The caption as drawn: the "&" of its accelerator taken out.
SIZE TextExtent(HWND window, const std::wstring& text, UINT flags = 0, int width = 0) {
  HDC dc = GetDC(window);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
  RECT r{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | flags);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

std::string Sizes(SIZE need, RECT have) {
  return "text " + std::to_string(need.cx) + "x" + std::to_string(need.cy) + " in client " +
         std::to_string(have.right) + "x" + std::to_string(have.bottom);
}

int g_dpi = 96;

// Text of the system's size: the interface's 9 points at the scale, or more.
void CheckFontSize(HWND window) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  if (!font || !GetObjectW(font, sizeof lf, &lf)) return;
  const int height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
  if (height < ui::PointsToPixels(9, g_dpi))
    Fail(window, "font of " + std::to_string(height) + " pixels at " + std::to_string(g_dpi) + " dpi");
}

void CheckCaption(HWND window) {
  const std::wstring cls = ClassOf(window);
  if (_wcsicmp(cls.c_str(), L"Static") == 0 || _wcsicmp(cls.c_str(), L"Button") == 0 ||
      _wcsicmp(cls.c_str(), WC_TABCONTROLW) == 0)
    CheckFontSize(window);
  wchar_t buffer[512] = {};
  GetWindowTextW(window, buffer, 512);
  const std::wstring text = buffer;
  RECT client{};
  GetClientRect(window, &client);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  if (_wcsicmp(cls.c_str(), L"Static") == 0 && !text.empty()) {
    ++g_checked;
    // A label that wraps must hold its lines; one that does not, its one line.
    const bool wraps = (style & SS_TYPEMASK) == SS_LEFT && !(style & SS_LEFTNOWORDWRAP);
    const SIZE need = wraps ? TextExtent(window, text, DT_WORDBREAK, client.right) : TextExtent(window, text);
    if (need.cx > client.right || need.cy > client.bottom) Fail(window, Sizes(need, client));
  } else if (_wcsicmp(cls.c_str(), L"Button") == 0 && !text.empty()) {
    ++g_checked;
    const LONG kind = style & BS_TYPEMASK;
    const SIZE need = TextExtent(window, text);
    int room = client.right;
    if (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX || kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON) {
      room -= GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE);  // the box and its gap
    } else if (kind != BS_GROUPBOX) {
      room -= 2 * GetSystemMetrics(SM_CXEDGE);  // a push button's frame
    }
    if (need.cx > room || need.cy > client.bottom) Fail(window, Sizes(need, client));
  } else if (_wcsicmp(cls.c_str(), WC_TABCONTROLW) == 0) {
    const int count = TabCtrl_GetItemCount(window);
    for (int i = 0; i < count; ++i) {
      ++g_checked;
      wchar_t caption[128] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = caption;
      item.cchTextMax = 128;
      TabCtrl_GetItem(window, i, &item);
      RECT tab{};
      TabCtrl_GetItemRect(window, i, &tab);
      const SIZE need = TextExtent(window, caption);
      if (need.cx > tab.right - tab.left || need.cy > tab.bottom - tab.top)
        Fail(window, "tab " + Utf8(caption) + " " +
                         Sizes(need, RECT{0, 0, tab.right - tab.left, tab.bottom - tab.top}));
    }
  }
}

// The shown children of `parent`, each checked, and no two overlapping; then
// their children.
void CheckTree(HWND parent) {
  std::vector<HWND> shown;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    if (r.right <= r.left || r.bottom <= r.top) continue;
    shown.push_back(child);
  }
  // An MDI frame's document windows may overlap as the user leaves them.
  const bool documents = _wcsicmp(ClassOf(parent).c_str(), L"MDIClient") == 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    CheckCaption(shown[i]);
    RECT a{};
    GetWindowRect(shown[i], &a);
    for (size_t j = i + 1; j < shown.size() && !documents; ++j) {
      RECT b{}, both{};
      GetWindowRect(shown[j], &b);
      if (IntersectRect(&both, &a, &b)) {
        wchar_t other[128] = {};
        GetWindowTextW(shown[j], other, 128);
        Fail(shown[i], "overlaps " + Utf8(ClassOf(shown[j])) + " \"" + Utf8(other) + "\" by " +
                           std::to_string(both.right - both.left) + "x" + std::to_string(both.bottom - both.top));
      }
    }
    CheckTree(shown[i]);
  }
}

void Check(HWND window, const std::string& where) {
  input::Pump(200);
  g_where = where;
  CheckTree(window);
}

// Runs `show`; the dialog it opens is checked once it is up, then cancelled.
void CheckDialog(const std::string& where, const std::function<void()>& show,
                 const std::function<void(TDialog&)>& each = {}) {
  std::fflush(stdout);
  const ui::TScopedModalRunner runner([&](TDialog& dialog) {
    return ui::RunModalLoop(dialog, [&] {
      if (each) {
        each(dialog);
      } else {
        Check(dialog.Handle(), where);
      }
      dialog.SetModalResult(mrCancel);
    });
  });
  show();
}

HWND zoom = nullptr;
RECT zoomRect{};

// Notes the magnifier, in front, and closes it with Esc.
void CALLBACK CloseZoom(HWND, UINT, UINT_PTR, DWORD) {
  zoom = GetForegroundWindow();
  GetWindowRect(zoom, &zoomRect);
  PostMessageW(zoom, WM_KEYDOWN, VK_ESCAPE, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const int dpi = std::atoi(argv[1]);
  g_dpi = dpi;
  if (ui::SystemDpi() != dpi) {
    std::printf("FAIL the screen is at %d dpi, not %d\n", ui::SystemDpi(), dpi);
    return 1;
  }
  DeleteKeyTree(sys::Hive::CurrentUser, SaveStatusKey());
  ui::InitControls();
  auto frame = std::make_unique<TfrmVLMMain>();
  frame->MakeMainForm();
  frame->Show();
  input::Pump(500);
  if (frame->Dpi() != dpi) {
    std::printf("FAIL the frame is at %d dpi\n", frame->Dpi());
    return 1;
  }
  frame->pmToolbarsTextLabels.Click();  // the bars with their captions too
  TfrmVLMChild& child = *frame->ActiveChild();
  child.SetWindowState(wsMaximized);
  const std::string fonts = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\";
  child.InstalledFontList.SelectOnly("DejaVu Serif");
  child.FontListChange();
  for (TTabSheet* nav : {&child.tsNavInstalled, &child.tsNavCollections, &child.tsNavBrowse}) {
    child.pcNav.SetActivePage(nav);
    child.pcNavChange(&child.pcNav);
    for (TTabSheet* view : {&child.tsViewSample, &child.tsViewMulti, &child.tsViewCharacters,
                            &child.tsViewFontInfo, &child.tsViewNotes}) {
      child.pcView.SetActivePage(view);
      child.pcViewChange();
      Check(frame->Handle(), "font window, " + Utf8(nav->Caption()) + ", " +
                                 Utf8(view->Caption()));
    }
  }
  child.pcNav.SetActivePage(&child.tsNavInstalled);
  child.pcNavChange(&child.pcNav);

  CheckDialog("options", [&] { frame->mmViewOptionsClick(); }, [](TDialog& dialog) {
    auto* pages = static_cast<TPageControl*>(nullptr);
    for (TControl* control : dialog.Controls())
      if ((pages = dynamic_cast<TPageControl*>(control))) break;
    for (int i = 0; pages && i < pages->PageCount(); ++i) {
      pages->SetActivePage(&pages->Pages(i));
      Check(dialog.Handle(), "options, " + Utf8(pages->Pages(i).Caption()));
    }
  });
  CheckDialog("rename", [&] {
    auto dialog = std::make_unique<TfrmVLMRenameFile>(&child);
    dialog->SetFontName("DejaVu Sans");
    dialog->SetFileName(fonts + "DejaVuSans.ttf");
    dialog->ShowModal();
  });
  CheckDialog("question", [&] {
    std::string answer;
    AskQuestion(L"创建新藏品", L"新藏品名称(&N):", &child, answer);
  });
  CheckDialog("about", [&] { frame->mmHelpAboutClick(); });
  child.pcView.SetActivePage(&child.tsViewCharacters);
  child.pcViewChange();
  {
    // The magnifier runs its own loop and has no controls: it is shown, its
    // size checked against the character map's, and closed by a key.
    const UINT_PTR timer = SetTimer(nullptr, 0, 500, CloseZoom);
    child.Characters().CharMatrix.Zoom();
    KillTimer(nullptr, timer);
    if (!zoom || zoom == frame->Handle() || zoomRect.right - zoomRect.left < ui::ScaleToDpi(100, dpi)) {
      std::printf("FAIL zoom: no magnifier of its scale's size\n");
      ++g_failures;
    }
  }
  {
    const TProgress progress(frame->Handle(), 100, L"正在读取字体文件");
    input::Pump(200);
    const HWND shown = FindWindowW(L"VelmaraProgress", nullptr);
    if (!shown) {
      std::printf("FAIL no progress window\n");
      ++g_failures;
    } else {
      Check(shown, "progress");
    }
  }
  if (dpi == ui::kBaseDpi) {
    // Moved to a screen of 150 %: the frame and its font window lay
    // themselves out again there, as far as a single-screen Wine can tell.
    g_dpi = 144;
    RECT r{};
    GetWindowRect(frame->Handle(), &r);
    const RECT suggested{r.left, r.top, r.left + (r.right - r.left) * 3 / 2, r.top + (r.bottom - r.top) * 3 / 2};
    SendMessageW(frame->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    if (frame->Dpi() != 144 || child.Dpi() != 144) {
      std::printf("FAIL the frame did not follow a new scale\n");
      ++g_failures;
    }
    for (TTabSheet* view : {&child.tsViewSample, &child.tsViewMulti, &child.tsViewCharacters,
                            &child.tsViewFontInfo, &child.tsViewNotes}) {
      child.pcView.SetActivePage(view);
      child.pcViewChange();
      Check(frame->Handle(), "font window moved to 144 dpi, " + Utf8(view->Caption()));
    }
  }
  frame->mmFileExitClick();
  std::printf("%d dpi: %d captions checked, %d failures\n", dpi, g_checked, g_failures);
  return g_failures == 0 && g_checked > 50 ? 0 : 1;
}
