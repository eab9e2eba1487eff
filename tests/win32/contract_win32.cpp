// The contract suite against the real Windows API (under Wine here), in a
// scratch folder under the temporary folder and scratch registry keys.
#include <windows.h>

#include "sys/win32/Win32Backend.h"
#include "tests/win32/fileops_scratch.h"
#include "tests/sys/contract_suite.inc"

namespace contract {
namespace {

void DeleteScratchKeys() {
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey + 1);
  ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kScratchKey + 1);
}

class Win32Environment : public Environment {
 public:
  Win32Environment() { DeleteScratchKeys(); }
  ~Win32Environment() override { DeleteScratchKeys(); }
  sys::Backend& Backend() override { return backend_; }
  std::string Root() override { return folder_.Path(); }
  std::string MakeFile(const std::string& name, const std::string& content,
                       uint32_t attributes) override {
    WriteAll(backend_, Root() + name, content);
    ::SetFileAttributesA((Root() + name).c_str(), attributes);
    return name;
  }
  void SetDwordValue(sys::Hive hive, const std::string& key, const std::string& name,
                     uint32_t value) override {
    HKEY root = hive == sys::Hive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    HKEY opened = nullptr;
    if (::RegCreateKeyExA(root, key.c_str() + (key[0] == '\\'), 0, nullptr, 0, KEY_WRITE, nullptr,
                          &opened, nullptr) != ERROR_SUCCESS)
      return;
    DWORD data = value;
    ::RegSetValueExA(opened, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                     sizeof data);
    ::RegCloseKey(opened);
  }
  std::string ClipboardBlock(uint32_t format) override {
    std::string bytes;
    if (!::OpenClipboard(nullptr)) return "<not open>";
    if (HANDLE data = ::GetClipboardData(format)) {
      if (const void* locked = ::GlobalLock(data)) {
        bytes.assign(static_cast<const char*>(locked), ::GlobalSize(data));
        ::GlobalUnlock(data);
      }
    }
    ::CloseClipboard();
    return bytes;
  }
  void PutClipboardBlock(uint32_t format, const std::string& bytes) override {
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(::GlobalLock(data), bytes.data(), bytes.size());
    ::GlobalUnlock(data);
    if (!::OpenClipboard(nullptr)) {
      ::GlobalFree(data);
      return;
    }
    ::EmptyClipboard();
    if (!::SetClipboardData(format, data)) ::GlobalFree(data);
    ::CloseClipboard();
  }
  // A real font under a family name of its own: Wine already lists the
  // machine's fonts, and a face it knows is counted on adding but never
  // removed again.
  std::string FontFile() override {
    const std::string font = Root() + "VlmTstSans.ttf";
    scratch::WriteAll(font, scratch::RenamedDejaVu("VlmTst"));
    return font;
  }

 private:
  static std::string Tag() {
    static int counter = 0;
    return "VelmaraContract-" + std::to_string(++counter);
  }
  sys::Win32Backend backend_;
  scratch::Folder folder_{Tag().c_str()};
};

const Target kTargets[] = {
    {"Win32", [] { return std::unique_ptr<Environment>(new Win32Environment); }},
};

INSTANTIATE_TEST_SUITE_P(Backends, Contract, testing::ValuesIn(kTargets), TargetName);

TEST(Win32Backend, IsTheDefaultBackend) {
  EXPECT_NE(dynamic_cast<sys::Win32Backend*>(&sys::DefaultBackend()), nullptr);
}

}  // namespace
}  // namespace contract
