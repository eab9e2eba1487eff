// The contract suite against the memory backend (everywhere) and the native
// backend (Linux).
#include "tests/sys/contract_suite.inc"

#include "sys/memory/MemoryBackend.h"

#ifndef _WIN32
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "sys/posix/PosixBackend.h"
#endif

namespace contract {
namespace {

// The registry and the clipboard of both backends here are the memory backend's.
template <class TBackend>
class InProcessEnvironment : public Environment {
 public:
  sys::Backend& Backend() override { return backend_; }
  void SetDwordValue(sys::Hive hive, const std::string& key, const std::string& name,
                     uint32_t value) override {
    backend_.SetValue(hive, key, name, Dword(value), sys::kRegDword);
  }
  std::string ClipboardBlock(uint32_t format) override { return backend_.ClipboardData(format); }
  void PutClipboardBlock(uint32_t format, const std::string& bytes) override {
    backend_.ClearClipboard();
    backend_.PutClipboard(format, bytes);
  }

 protected:
  TBackend backend_;
};

class MemoryEnvironment : public InProcessEnvironment<sys::MemoryBackend> {
 public:
  MemoryEnvironment() { backend_.AddDirectory(Root()); }
  std::string Root() override { return "C:\\Scratch\\"; }
  std::string MakeFile(const std::string& name, const std::string& content,
                       uint32_t attributes) override {
    backend_.AddFile(Root() + name, content, attributes);
    return name;
  }
  std::string FontFile() override { return Root() + MakeFile("Font.ttf", "font", sys::kAttrArchive); }
};

#ifndef _WIN32
class PosixEnvironment : public InProcessEnvironment<sys::PosixBackend> {
 public:
  PosixEnvironment() {
    char pattern[] = "/tmp/vlm-contract-XXXXXX";
    if (const char* made = ::mkdtemp(pattern)) folder_ = made;
  }
  ~PosixEnvironment() override {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }
  // Joined with "\" as the program joins paths.
  std::string Root() override { return folder_ + "\\"; }
  std::string MakeFile(const std::string& name, const std::string& content,
                       uint32_t attributes) override {
    const std::string real = (attributes & sys::kAttrHidden) ? "." + name : name;
    WriteAll(backend_, Root() + real, content);
    if (attributes & sys::kAttrReadOnly) ::chmod((folder_ + "/" + real).c_str(), 0444);
    return real;
  }
  std::string FontFile() override {
    const std::string font = Root() + "DejaVuSans.ttf";
    if (!backend_.CopyFileTo("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", font, false))
      WriteAll(backend_, font, "not a font, but a file");
    return font;
  }
  bool HasSystemAttribute() override { return false; }

 private:
  std::string folder_;
};
#endif

const Target kTargets[] = {
    {"Memory", [] { return std::unique_ptr<Environment>(new MemoryEnvironment); }},
#ifndef _WIN32
    {"Posix", [] { return std::unique_ptr<Environment>(new PosixEnvironment); }},
#endif
};

INSTANTIATE_TEST_SUITE_P(Backends, Contract, testing::ValuesIn(kTargets), TargetName);

#ifndef _WIN32
// A link is listed as what it points to, and a dangling one not at all.
TEST(PosixFiles, LinksAreListedAsTheirTargetsAPipeNamedLikeAFontFailsToReadAtOnce) {
  PosixEnvironment env;
  std::string root = env.Root();
  std::replace(root.begin(), root.end(), '\\', '/');
  ASSERT_TRUE(env.Backend().MakeDirectory(env.Root() + "Real"));
  ASSERT_EQ(::symlink((root + "Real").c_str(), (root + "Linked").c_str()), 0);
  ASSERT_EQ(::symlink((root + "nowhere.ttf").c_str(), (root + "dangling.ttf").c_str()), 0);
  for (bool namesOnly : {false, true}) {
    std::vector<sys::FindEntry> entries;
    ASSERT_TRUE(namesOnly ? env.Backend().FindNames(env.Root() + "*", entries)
                          : env.Backend().FindFiles(env.Root() + "*", entries));
    ASSERT_EQ(Names(entries), (std::vector<std::string>{"Linked", "Real"}));
    EXPECT_TRUE(entries[0].IsDirectory());
  }

  // Windows has no pipes among its files; here one named like a font must not
  // keep a scan waiting for a writer.
  const std::string pipe = env.Root() + "pipe.ttf";
  ASSERT_EQ(::mkfifo((root + "pipe.ttf").c_str(), 0644), 0);
  std::vector<sys::FindEntry> names;
  ASSERT_TRUE(env.Backend().FindNames(env.Root() + "*.ttf", names));
  ASSERT_EQ(Names(names), std::vector<std::string>{"pipe.ttf"});
  EXPECT_FALSE(names[0].IsDirectory());
  if (auto file = env.Backend().OpenRead(pipe)) {
    char buffer[4];
    size_t got = 0;
    EXPECT_FALSE(file->ReadAt(0, buffer, sizeof buffer, got));
  }
}
#endif

}  // namespace
}  // namespace contract
