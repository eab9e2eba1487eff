// Owners of the Windows handles the backend opens: each closes its handle
// when it goes, can be moved but not copied.
#pragma once

#include <windows.h>

#include "sys/UniqueHandle.h"

namespace sys::win32 {

template <typename Traits>
using UniqueHandle = sys::UniqueHandle<Traits>;

struct FileTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle h) { return ::CloseHandle(h) != 0; }
};

struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Close(Handle h) { return ::FindClose(h) != 0; }
};

struct KeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return ::RegCloseKey(h) == ERROR_SUCCESS; }
};

struct DcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return ::DeleteDC(h) != 0; }
};

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return ::DeleteObject(h) != 0; }
};

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static bool Close(Handle h) { return ::FreeLibrary(h) != 0; }
};

using FileHandle = UniqueHandle<FileTraits>;
using FindHandle = UniqueHandle<FindTraits>;
using KeyHandle = UniqueHandle<KeyTraits>;
using DcHandle = UniqueHandle<DcTraits>;
using GdiObjectHandle = UniqueHandle<GdiObjectTraits>;
using ModuleHandle = UniqueHandle<ModuleTraits>;

}  // namespace sys::win32
