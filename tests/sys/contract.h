// One set of tests for every backend: what the program relies on, checked the
// same way against the memory backend, the native one and the real Windows
// API. Each test program includes this file once and instantiates the suite
// with its own environments.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sys/sys.h"

namespace contract {

// A backend with a scratch folder and scratch registry keys, cleaned up when
// the environment goes.
class Environment {
 public:
  virtual ~Environment() = default;
  virtual sys::Backend& Backend() = 0;
  // The scratch folder, ending in "\".
  virtual std::string Root() = 0;
  // Creates a file in the scratch folder; returns its name there (the native
  // backend marks a hidden file by a leading dot).
  virtual std::string MakeFile(const std::string& name, const std::string& content,
                               uint32_t attributes) = 0;
  virtual void SetDwordValue(sys::Hive hive, const std::string& key, const std::string& name,
                             uint32_t value) = 0;
  // A real font file in the scratch folder.
  virtual std::string FontFile() = 0;
  // The clipboard as another program sees it: the bytes stored under a
  // format (the whole block the system keeps), and a clipboard made to hold
  // only the given block.
  virtual std::string ClipboardBlock(uint32_t format) = 0;
  virtual void PutClipboardBlock(uint32_t format, const std::string& bytes) = 0;
  // Whether the backend can mark a file as a system file.
  virtual bool HasSystemAttribute() { return true; }
};

struct Target {
  std::string name;
  std::function<std::unique_ptr<Environment>()> make;
};

inline std::string TargetName(const testing::TestParamInfo<Target>& info) { return info.param.name; }

// Scratch keys, relative to HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.
inline const char kScratchKey[] = "\\Software\\VelmaraContractTest";

class Contract : public testing::TestWithParam<Target> {
 protected:
  void SetUp() override { env_ = GetParam().make(); }
  void TearDown() override { env_.reset(); }

  sys::Backend& B() { return env_->Backend(); }
  std::string Root() { return env_->Root(); }
  std::string Key(const std::string& below = "") {
    return below.empty() ? std::string(kScratchKey) : std::string(kScratchKey) + "\\" + below;
  }

  std::unique_ptr<Environment> env_;
};

inline std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

inline std::vector<std::string> Names(const std::vector<sys::FindEntry>& entries) {
  std::vector<std::string> names;
  for (const auto& entry : entries) names.push_back(entry.name);
  return Sorted(names);
}

inline std::string ReadAll(sys::Backend& backend, const std::string& path, size_t limit = 4096) {
  auto file = backend.OpenRead(path);
  if (!file) return "<missing>";
  std::string content(limit, '\0');
  size_t got = 0;
  if (!file->ReadAt(0, content.data(), content.size(), got)) return "<failed>";
  content.resize(got);
  return content;
}

inline bool WriteAll(sys::Backend& backend, const std::string& path, const std::string& content) {
  auto file = backend.CreateWrite(path);
  return file && file->Write(content) && file->Close();
}

}  // namespace contract
