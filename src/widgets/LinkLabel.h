// TLinkLabel: a label showing a web address that opens it when clicked. The
// caption and the target are set apart; only a target that is an http, https
// or mailto address is drawn as a link and handed to the shell.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ui/Panel.h"

// The height of `text` in `font` wrapped at `width` as a word-wrapping label
// draws it, "&" as it stands; 0 for no text.
int WrappedTextHeight(HWND window, HFONT font, std::wstring_view text, int width);

class TLinkLabel : public TCustomControl {
 public:
  explicit TLinkLabel(TControl& parent);

  // The address opened on a click (ANSI text, as it came from the data).
  const std::string& Url() const { return url_; }
  void SetUrl(std::string_view url);
  // True when a click opens Url().
  bool Openable() const;
  // The height the caption takes wrapped at `width` (0 when it is empty).
  int HeightFor(int width) const;
  // Opens the target as a click does; false when it is not an address the
  // label opens or the shell could not open it.
  bool Open();

  // Runs after a click, whether or not the target was opened.
  std::function<void()> OnClick;

 protected:
  void Paint(HDC dc, const RECT& update) override;
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  std::string url_;
  bool pressed_ = false;
};
