// The Windows headers as the window layer uses them, and the casts between
// message parameters and pointers that window procedures need.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

namespace ui {

template <typename T>
T* AsPointer(LPARAM value) {
  return reinterpret_cast<T*>(value);  // NOLINT: message parameters carry pointers
}

template <typename T>
T AsHandle(WPARAM value) {
  return reinterpret_cast<T>(value);  // NOLINT
}

inline LPARAM AsLParam(const void* pointer) { return reinterpret_cast<LPARAM>(pointer); }
inline WPARAM AsWParam(const void* pointer) { return reinterpret_cast<WPARAM>(pointer); }

HINSTANCE Instance();

}  // namespace ui
