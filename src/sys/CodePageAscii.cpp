#include "sys/codepage.h"

namespace sys {

bool CodePageKeepsAscii(unsigned codePage) {
  switch (codePage) {
    case 874: case 932: case 936: case 949: case 950:
    case 20127: case 65001:
      return true;
    default:
      return (codePage >= 1250 && codePage <= 1258) || (codePage >= 28591 && codePage <= 28605);
  }
}

}  // namespace sys
