#include "views/FileDropHelper.h"

#include <shellapi.h>

#include <utility>

#include "sys/DropFiles.h"

namespace {

// Releases the drop on every way out.
class TDropScope {
 public:
  explicit TDropScope(HDROP drop) : drop_(drop) {}
  ~TDropScope() { DragFinish(drop_); }
  TDropScope(const TDropScope&) = delete;
  TDropScope& operator=(const TDropScope&) = delete;

 private:
  HDROP drop_;
};

}  // namespace

TFileDropHelper::TFileDropHelper(TControl& control) : control_(&control) {
  if (!control.Handle()) return;
  control.OnShellDrop = [this](WPARAM drop) { Drop(drop); };
  DragAcceptFiles(control.Handle(), TRUE);
}

TFileDropHelper::~TFileDropHelper() {
  TControl* control = control_.Get();
  if (!control) return;
  control->OnShellDrop = nullptr;
  // A window that outlives its receiver takes no more drops: nobody would release them.
  if (control->Handle()) DragAcceptFiles(control->Handle(), FALSE);
}

void TFileDropHelper::SetAccepting(bool accepting) {
  TControl* control = control_.Get();
  if (control && control->Handle()) DragAcceptFiles(control->Handle(), accepting ? TRUE : FALSE);
}

void TFileDropHelper::Drop(WPARAM wParam) {
  const auto drop = reinterpret_cast<HDROP>(wParam);
  const TDropScope release(drop);
  if (!OnDropFiles) return;
  sys::DroppedFiles dropped;
  files_.clear();
  if (!sys::ReadDropHandle(drop, dropped)) return;  // a block that lies names no file
  files_ = std::move(dropped.names);
  const auto handler = OnDropFiles;
  ui::RunReporting([&] { handler(dropped.x, dropped.y, files_); });
}
