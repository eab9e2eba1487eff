// Lifetimes and brackets by construction.
//
// TWeakRef<T>: a pointer to a control (or popup menu) that turns null when
// the object goes, for everything that points at an object it does not own.
//
// TScopeCount: the one guard for "while this runs": an update in progress,
// events held off. Hold() returns a scope that counts up while it lives; the
// count goes down on every way out, exceptions included, and a scope that
// outlives its object (a window message destroyed it meanwhile) touches
// nothing.
//
// TUpdateScope: BeginUpdate now, EndUpdate on every way out, unless the
// control went meanwhile. TScopeExit: any other undoing on every way out.
#pragma once

#include <memory>
#include <utility>

class TTracked {
 public:
  TTracked() : token_(std::make_shared<TTracked*>(this)) {}
  TTracked(const TTracked&) = delete;
  TTracked& operator=(const TTracked&) = delete;

 protected:
  ~TTracked() { *token_ = nullptr; }
  // Lets weak references see null from now on; the object's destructor calls
  // it first, before its parts go.
  void Untrack() { *token_ = nullptr; }

 private:
  template <typename T>
  friend class TWeakRef;
  std::shared_ptr<TTracked*> token_;
};

template <typename T>
class TWeakRef {
 public:
  TWeakRef() = default;
  TWeakRef(T* object) : token_(object ? static_cast<const TTracked*>(object)->token_ : nullptr) {}  // NOLINT: implicit like a pointer
  T* Get() const { return token_ && *token_ ? static_cast<T*>(*token_) : nullptr; }
  T* operator->() const { return Get(); }
  T& operator*() const { return *Get(); }
  explicit operator bool() const { return Get() != nullptr; }
  bool operator==(const T* other) const { return Get() == other; }

 private:
  std::shared_ptr<TTracked*> token_;
};

class TScopeCount {
 public:
  class TScope {
   public:
    explicit TScope(std::shared_ptr<int> count) : count_(std::move(count)) { ++*count_; }
    ~TScope() { --*count_; }
    TScope(const TScope&) = delete;
    TScope& operator=(const TScope&) = delete;

   private:
    std::shared_ptr<int> count_;
  };

  [[nodiscard]] TScope Hold() { return TScope(count_); }
  bool Active() const { return *count_ > 0; }

 private:
  std::shared_ptr<int> count_ = std::make_shared<int>(0);
};

template <typename Control>
class TUpdateScope {
 public:
  explicit TUpdateScope(Control& control) : control_(&control) { control.BeginUpdate(); }
  ~TUpdateScope() {
    if (Control* control = control_.Get()) control->EndUpdate();
  }
  TUpdateScope(const TUpdateScope&) = delete;
  TUpdateScope& operator=(const TUpdateScope&) = delete;

 private:
  TWeakRef<Control> control_;
};

template <typename Action>
class TScopeExit {
 public:
  explicit TScopeExit(Action action) : action_(std::move(action)) {}
  ~TScopeExit() { action_(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  Action action_;
};
