// TFileDropHelper: makes one control's window accept files dragged from the
// shell and reports each drop as the full file names, in the shell's order,
// with the drop point in the control's client coordinates. The control's
// window when the helper is made takes the drops; one the control makes later
// does not ask the shell for them. Every drop is released, handled or not.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "sys/DropFiles.h"
#include "ui/Control.h"

class TFileDropHelper {
 public:
  // Names longer than this are cut to it.
  static constexpr size_t kMaxName = sys::kMaxDropName;

  explicit TFileDropHelper(TControl& control);
  ~TFileDropHelper();
  TFileDropHelper(const TFileDropHelper&) = delete;
  TFileDropHelper& operator=(const TFileDropHelper&) = delete;

  // Null once the control has gone.
  TControl* Control() const { return control_.Get(); }
  // Whether the shell offers the control files; a drag over one that takes
  // none shows that it is refused.
  void SetAccepting(bool accepting);
  // The names of the last drop; refilled at the next.
  const std::vector<std::string>& DropFiles() const { return files_; }

  std::function<void(int x, int y, const std::vector<std::string>& files)> OnDropFiles;

 private:
  void Drop(WPARAM drop);

  TWeakRef<TControl> control_;
  std::vector<std::string> files_;
};
