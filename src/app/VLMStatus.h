// The working layout that comes back at every start: the frame, its tool
// bars and every font window, written over the last one in the user's
// registry when the frame closes. Stored values are outside input: whatever
// they say, the program starts on the screen, at sane sizes, with a bounded
// number of windows; a value that makes no sense keeps the control as it is.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sys/sys.h"

class TfrmVLMMain;
class TToolbar97;

// Below HKEY_CURRENT_USER.
std::string SaveStatusKey();
// A layout never opens more font windows than this.
inline constexpr int kMaxRestoredChildren = 16;

// The frame's bounds and state (and tool bars); run as the frame is made.
void RestoreMainStatus(TfrmVLMMain& main);
// Opens the saved number of font windows and restores each; run when the
// frame is first shown.
void RestoreChildren(TfrmVLMMain& main);
// One bar's dock, place and visibility from the frame's key; `name` begins
// its value names ("Tool Bar"). With captions, the text-label setting too.
void RestoreToolbar(TfrmVLMMain& main, sys::RegKey& key, TToolbar97& bar, std::string_view name,
                    bool withCaptions);
void RestoreChildStatus(TfrmVLMMain& main, int index);
// Writes the whole layout over the saved one, then deletes what it no longer
// holds; run as the frame closes, while its font windows are still open.
void SaveStatus(TfrmVLMMain& main);
void SaveMainStatus(TfrmVLMMain& main);
// Writes a layout's values into a key, noting their names, so that whatever
// else the key holds can go once the new values are all in.
class TLayoutWriter {
 public:
  explicit TLayoutWriter(sys::RegKey& key) : key_(key) {}
  void Int(std::string_view name, int value) { Text(name, std::to_string(value)); }
  void Flag(std::string_view name, bool value) { Text(name, value ? "1" : "0"); }
  void Text(std::string_view name, std::string_view value);
  // Deletes every value not written through it and every subkey not named.
  void DeleteTheRest(const std::vector<std::string>& subkeysKept);

 private:
  sys::RegKey& key_;
  std::vector<std::string> written_;
};
void SaveToolbar(TfrmVLMMain& main, TLayoutWriter& key, TToolbar97& bar, std::string_view name,
                 bool withCaptions);
void SaveChildStatus(TfrmVLMMain& main, int index);

// The key with everything below it; nothing when it is not there.
void DeleteKeyTree(sys::Hive hive, std::string_view path);
// The value's decimal text as a number, or `fallback` when it is missing,
// unreadable or not a decimal number.
int ReadIntValue(sys::RegKey& key, std::string_view name, int fallback);
std::string ReadStrValue(sys::RegKey& key, std::string_view name, std::string_view fallback);
