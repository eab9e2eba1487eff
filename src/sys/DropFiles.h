// The dropped-file list (CF_HDROP) as bytes: a 20-byte header (offset of the
// names, drop point, non-client flag, wide flag) and the names, each ended by
// NUL, the list ended by one more. The shell drops files this way and font
// files travel on the clipboard the same way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sys/sys.h"

namespace sys {

inline constexpr size_t kDropFilesHeader = 20;
// Names are read into 259 characters with their NUL.
inline constexpr size_t kMaxDropName = 258;

// ANSI names, point (0, 0), empty names left out: an empty name would end
// the list early and lose the names after it.
std::string MakeDropFiles(const std::vector<std::string>& names);
// Any block, ANSI or wide (turned into ANSI), names cut to kMaxDropName.
// A block that lies is refused whole (false, nothing read): a header cut
// short or pointing outside the names' part, a name or the list that runs
// off the block's end.
bool ParseDropFiles(std::string_view block, DroppedFiles& dropped);

// Windows builds: the names and point of a dropped-file handle (HDROP, the
// clipboard's CF_HDROP block), read as above no further than the block's
// size; the handle stays its owner's.
bool ReadDropHandle(void* drop, DroppedFiles& dropped);

}  // namespace sys
