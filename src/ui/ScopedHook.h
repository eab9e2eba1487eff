// A process-wide hook (how a modal thing runs), replaced for as long as the
// guard lives: the way tests answer the system's dialogs in the user's place.
#pragma once

#include <utility>

template <typename Hook>
class TScopedHook {
 public:
  TScopedHook(Hook& hook, Hook replacement) : hook_(hook), previous_(std::move(hook)) {
    hook_ = std::move(replacement);
  }
  ~TScopedHook() { hook_ = std::move(previous_); }
  TScopedHook(const TScopedHook&) = delete;
  TScopedHook& operator=(const TScopedHook&) = delete;

 private:
  Hook& hook_;
  Hook previous_;
};
