// Sets the ANSI code page for a scope and puts the previous one back, so that
// no test leaves its code page to the tests after it.
#pragma once

#include "sys/codepage.h"

class ScopedCodePage {
 public:
  explicit ScopedCodePage(unsigned codePage) : saved_(sys::CodePage()) { sys::SetCodePage(codePage); }
  ~ScopedCodePage() { sys::SetCodePage(saved_); }
  ScopedCodePage(const ScopedCodePage&) = delete;
  ScopedCodePage& operator=(const ScopedCodePage&) = delete;

 private:
  unsigned saved_;
};
