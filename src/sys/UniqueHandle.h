// The one owner of operating-system handles: closes its handle when it goes,
// can be moved but not copied. Each kind of handle brings its traits: the
// handle type, its invalid value and how it is closed.
#pragma once

#include <utility>

namespace sys {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, Traits::Invalid());
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle Get() const { return handle_; }
  bool Valid() const { return handle_ != Traits::Invalid(); }
  explicit operator bool() const { return Valid(); }
  // For the functions that hand a handle back through a pointer.
  Handle* Receive() {
    Reset();
    return &handle_;
  }
  // Closes the old handle and takes `handle`; false when closing reported an error.
  bool Reset(Handle handle = Traits::Invalid()) {
    bool ok = true;
    if (Valid()) ok = Traits::Close(handle_);
    handle_ = handle;
    return ok;
  }
  // Gives the handle up without closing it.
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }

 private:
  Handle handle_ = Traits::Invalid();
};

}  // namespace sys
