#include "tools/vlminfo/list_modes.h"

#include <cstdio>

#include "data/Collections.h"
#include "data/FontFileList.h"
#include "sys/Utf8.h"
#include "sys/codepage.h"
#include "sys/sys.h"
#include "tools/vlminfo/json.h"

namespace {

int Fail(const char* what, const std::string& path) {
  std::fprintf(stderr, "vlminfo: %s %s\n", what, sys::AnsiToUtf8(path).c_str());
  return 1;
}

// The scan's warning as UTF-8 lines, whatever code page the names are in.
std::string WarningText(std::wstring_view warning) {
  std::u16string text;
  for (wchar_t c : warning)
    if (c != L'\r') text += static_cast<char16_t>(c);
  return sys::Utf16ToUtf8(text);
}

}  // namespace

int PrintList(const TListRequest& request) {
  sys::Backend& os = sys::Current();
  TFontFileList list;
  // A tool opens no window: the warning box of a troubled scan goes to stderr.
  bool trouble = false;
  list.OnTrouble = [&trouble](std::wstring_view warning) {
    trouble = true;
    std::fprintf(stderr, "vlminfo: warning: %s\n", WarningText(warning).c_str());
  };
  switch (request.kind) {
    case TListRequest::kNone:
      return 2;
    case TListRequest::kFolder:
      // A missing folder would only raise the scan's warning box.
      if (!os.DirectoryExists(request.path)) return Fail("no folder", request.path);
      list.SetInclSubfoldersDepth(request.subfolders ? request.depth : 0);
      list.SetInclSubfolders(request.subfolders);  // no folder yet: nothing scanned
      list.SetPath(request.path);
      break;
    case TListRequest::kCollection:
      if (!os.FileExists(CollectionFile("", request.path))) {
        return Fail("no collection file", request.path);
      }
      list.SetMode(flmCollection);
      list.SetCollection(request.path);  // the list's folder is empty: the path stands alone
      break;
    case TListRequest::kInstalled:
      list.SetMode(flmInstalled);
      break;
  }
  {
    TJsonLines lines(stdout);
    for (int i = 0; i < list.Count(); ++i) {
      list.Items(i)->LookAtFields(
          [&lines](const TFontFields& fields) { AppendListRecordJson(lines.text, fields); });
      lines.EndLine();
    }
  }
  std::fflush(stdout);
  return trouble ? kExitTrouble : 0;
}
