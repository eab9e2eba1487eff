#include "views/model/NoteFile.h"

#include <memory>

#include "data/Collections.h"
#include "data/VLMUtil.h"
#include "sys/sys.h"

namespace {

constexpr size_t kReadChunk = 64 * 1024;

// The whole file, or false when it will not open or a read fails.
bool ReadWholeFile(std::string_view path, std::string& content) {
  std::unique_ptr<sys::InFile> file = sys::Current().OpenRead(path);
  if (!file) return false;
  std::string chunk(kReadChunk, '\0');
  for (uint64_t pos = 0;;) {
    size_t got = 0;
    if (!file->ReadAt(pos, chunk.data(), chunk.size(), got)) return false;
    if (got == 0) return true;
    content.append(chunk, 0, got);
    pos += got;
  }
}

}  // namespace

std::string TNoteModel::NormalExtension(std::string_view extension) {
  return EnsureLeadingDot(Trim(extension));
}

std::string TNoteModel::NormalFolder(std::string_view folder) {
  return IncludeTrailingBackslash(Trim(folder));
}

std::string TNoteModel::EditorLineBreaks(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      result += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      result += c;
    }
  }
  return result;
}

bool TNoteModel::SetExtension(std::string_view extension) {
  return Switch(extension_, NormalExtension(extension));
}

bool TNoteModel::SetNoteName(std::string_view name) { return Switch(noteName_, Trim(name)); }

bool TNoteModel::SetNotesFolder(std::string_view folder) {
  return Switch(notesFolder_, NormalFolder(folder));
}

bool TNoteModel::Switch(std::string& stored, std::string value) {
  if (SameText(stored, value)) return false;
  SaveNote();
  stored = std::move(value);
  LoadNote();
  return true;
}

std::string NoteNameFor(std::string_view fileName, uint32_t face) {
  std::string name = FileNameNoExt(fileName);
  if (face != 0) name += "#" + std::to_string(face);
  return name;
}

std::string TNoteModel::NoteFileName() const { return notesFolder_ + noteName_ + extension_; }

void TNoteModel::LoadNote() {
  editor_.SetNoteText(std::string());
  if (!noteName_.empty()) {
    std::string content;
    if (ReadWholeFile(NoteFileName(), content) && !content.empty()) {
      editor_.SetNoteText(EditorLineBreaks(content));
    }
  }
  modified_ = false;
}

void TNoteModel::SaveNote() {
  if (modified_ && !noteName_.empty()) WriteFileReplacing(NoteFileName(), editor_.NoteText());
  modified_ = false;
}
