// vlminfo's list modes: a font file list filled by one of its scans, printed
// one JSON line per record in list order.
#pragma once

#include <string>

struct TListRequest {
  enum Kind { kNone, kFolder, kCollection, kInstalled };
  Kind kind = kNone;
  std::string path;  // the folder or the collection file
  bool subfolders = false;
  int depth = 3;
};

// The exit status of a scan that met trouble; its records are printed all the same.
inline constexpr int kExitTrouble = 3;

// Runs the scan and prints its records; the exit status.
int PrintList(const TListRequest& request);
