#include "app/FileType.h"

#include <string_view>

#include "sys/sys.h"

bool RegisterFileType(const std::string& programPath) {
  // A registration without a path would point at nothing, and would stay.
  if (programPath.empty()) return false;
  const struct {
    std::string_view key;
    std::string value;
  } kKeys[] = {
      {".VLM", "Velmara.Collection"},
      {"Velmara.Collection", "Font Collection"},
      {"Velmara.Collection\\DefaultIcon", programPath + ",1"},
      {"Velmara.Collection\\Shell\\Open", "&Open"},
      {"Velmara.Collection\\Shell\\Open\\Command", "\"" + programPath + "\" \"%1\""},
  };
  sys::Backend& os = sys::Current();
  bool registered = false;
  for (const auto& [path, value] : kKeys) {
    if (os.OpenKey(sys::Hive::ClassesRoot, path, false)) continue;
    auto key = os.OpenKey(sys::Hive::ClassesRoot, path, true);
    if (!key) continue;
    if (key->WriteString("", value)) {
      registered = true;
    } else {
      // An empty key would count as registered at every later start.
      key.reset();
      os.DeleteKey(sys::Hive::ClassesRoot, path);
    }
  }
  if (registered) os.NotifyAssociationsChanged();
  return registered;
}

bool RegisterFileType() { return RegisterFileType(sys::Current().ProgramPath()); }
