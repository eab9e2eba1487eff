// The manual through HTML Help. Its library is loaded on first use, not
// linked: the program must start on systems that lack it.
#include <windows.h>
#include <htmlhelp.h>

#include "sys/codepage.h"
#include "sys/win32/Win32Backend.h"
#include "sys/win32/Win32Handles.h"

namespace sys {

namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// Kept for the process's life once loaded: its viewers run on its code.
// Only opening the manual loads it; closing leaves an unloaded one alone.
HtmlHelpFunction HtmlHelpEntry(bool load) {
  static win32::ModuleHandle library;
  static HtmlHelpFunction entry = nullptr;
  if (load && !library) {
    library.Reset(::LoadLibraryA(kHelpViewerLibrary));
    if (library) {
      entry = reinterpret_cast<HtmlHelpFunction>(
          reinterpret_cast<void*>(::GetProcAddress(library.Get(), "HtmlHelpW")));
    }
  }
  return entry;
}

// The viewer is owned by its caller: the frame, not the dialog the user
// pressed F1 in, so that it outlives the dialog and goes with the program.
HWND Caller() {
  HWND window = ::GetActiveWindow();
  if (!window) window = ::GetForegroundWindow();
  return window ? ::GetAncestor(window, GA_ROOTOWNER) : nullptr;
}

}  // namespace

HelpResult Win32Backend::ShowHelp(std::string_view file, std::string_view window, uint32_t context) {
  // Checked here: the viewer's own lookup would search the system's help folder.
  if (!FileExists(file)) return HelpResult::NoManual;
  const HtmlHelpFunction htmlHelp = HtmlHelpEntry(true);
  if (!htmlHelp) return HelpResult::NoViewer;
  // "file>window" names the viewer to reuse.
  const std::wstring path = Widen(file) + L">" + Widen(window);
  const HWND viewer = context ? htmlHelp(Caller(), path.c_str(), HH_HELP_CONTEXT, context)
                              : htmlHelp(Caller(), path.c_str(), HH_DISPLAY_TOC, 0);
  return viewer ? HelpResult::Shown : HelpResult::NoTopic;
}

void Win32Backend::CloseHelp() {
  if (const HtmlHelpFunction htmlHelp = HtmlHelpEntry(false)) htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

}  // namespace sys
