// What the multiple sample view tests share: a shown form holding the view,
// the list it shows and the keys and clicks a user gives it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data/FontFileList.h"
#include "tests/support/Input.h"
#include "tests/ui/TestWindow.h"
#include "views/MultiSample.h"

namespace multi_test {

class TMultiForm : public TTestWindow {
 public:
  TMultiForm(int width, int height) : TTestWindow(width, height) {
    SetClientSize(width, height);
    view = std::make_unique<TMultiSample>(*this);
    view->SetAlign(alClient);
    Show();
  }
  std::unique_ptr<TMultiSample> view;
};

// The form, shown in front with the view focused.
inline std::unique_ptr<TMultiForm> ShowForm(int width, int height) {
  auto form = std::make_unique<TMultiForm>(width, height);
  input::Activate(form->Handle());
  form->view->SetFocus();
  input::Settle();
  return form;
}

// The client y of the middle of a row in view.
inline int RowMiddle(TMultiSampleGrid& grid, int row) {
  return static_cast<int>(grid.Rows().Span(grid.TopRow(), row)) + grid.Rows().Height(row) / 2;
}

}  // namespace multi_test
