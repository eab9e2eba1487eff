#include <utility>

#include "sys/memory/MemoryState.h"

namespace sys {

std::string WindowsErrorText(uint32_t code) {
  static const std::pair<uint32_t, const char*> kTexts[] = {
      {0, "The operation completed successfully."},
      {1, "Incorrect function."},
      {2, "The system cannot find the file specified."},
      {3, "The system cannot find the path specified."},
      {4, "The system cannot open the file."},
      {5, "Access is denied."},
      {6, "The handle is invalid."},
      {8, "Not enough memory resources are available to process this command."},
      {13, "The data is invalid."},
      {15, "The system cannot find the drive specified."},
      {17, "The system cannot move the file to a different disk drive."},
      {18, "There are no more files."},
      {19, "The media is write protected."},
      {21, "The device is not ready."},
      {25, "The drive cannot locate a specific area or track on the disk."},
      {29, "The system cannot write to the specified device."},
      {30, "The system cannot read from the specified device."},
      {32, "The process cannot access the file because it is being used by another process."},
      {33, "The process cannot access the file because another process has locked a portion of the file."},
      {38, "Reached the end of the file."},
      {39, "The disk is full."},
      {80, "The file exists."},
      {87, "The parameter is incorrect."},
      {112, "There is not enough space on the disk."},
      {123, "The filename, directory name, or volume label syntax is incorrect."},
      {145, "The directory is not empty."},
      {183, "Cannot create a file when that file already exists."},
      {206, "The filename or extension is too long."},
      {234, "More data is available."},
      {259, "No more data is available."},
      {1018, "Illegal operation attempted on a registry key that has been marked for deletion."},
      {1801, "The printer name is invalid."},
  };
  for (const auto& [number, text] : kTexts)
    if (number == code) return std::string(text) + "\r\n";
  return {};
}

}  // namespace sys
