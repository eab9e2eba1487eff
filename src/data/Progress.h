// What a long scan needs of a progress window. The data layer knows no window:
// the application installs a factory that makes real ones; until then (tools,
// native tests) progress is silent.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

class TProgressBase {
 public:
  virtual ~TProgressBase() = default;
  // Sets the caption; sets the bar's maximum when `maximum` is 0 or more.
  virtual void SetText(std::wstring_view caption, int maximum) = 0;
  // Shows the window without making it modal, then lets pending messages run.
  virtual void Show() = 0;
  // Advances the bar by one, then lets pending messages run.
  virtual void StepIt() = 0;
};

// Makes a progress window with no owner; a negative maximum leaves the bar's
// default. The window is built but not shown.
using TProgressFactory =
    std::function<std::unique_ptr<TProgressBase>(int maximum, std::wstring_view caption)>;

std::unique_ptr<TProgressBase> MakeProgress(int maximum, std::wstring_view caption);

// Installs a factory (an empty one restores the silent default); returns the
// previous one.
TProgressFactory SetProgressFactory(TProgressFactory factory);

// Installs a factory for as long as the guard lives (tests).
class TScopedProgressFactory {
 public:
  explicit TScopedProgressFactory(TProgressFactory factory)
      : previous_(SetProgressFactory(std::move(factory))) {}
  ~TScopedProgressFactory() { SetProgressFactory(std::move(previous_)); }
  TScopedProgressFactory(const TScopedProgressFactory&) = delete;
  TScopedProgressFactory& operator=(const TScopedProgressFactory&) = delete;

 private:
  TProgressFactory previous_;
};
