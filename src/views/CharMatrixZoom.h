// TCharMatrixZoomForm: a borderless popup that shows one character
// magnified, with its label in the top-left corner. Its size follows the
// character (ZoomFormSize); it closes on any key, any click and when it
// loses the activation.
#pragma once

#include <string>

#include "ui/Form.h"
#include "ui/Handles.h"
#include "views/CharMatrixText.h"

class TCharMatrixZoomForm : public TForm {
 public:
  TCharMatrixZoomForm();
  ~TCharMatrixZoomForm() override;

  const std::string& InfoFontName() const { return infoFontName_; }
  void SetInfoFontName(const std::string& name);
  int InfoFontSize() const { return infoFontSize_; }
  void SetInfoFontSize(int points);
  // Each of these three, changed, sizes the form again.
  const std::string& FontName() const { return fontName_; }
  // `style`: where the name is a family's, the face's own weight and slant.
  void SetFontName(const std::string& name, charmap::TFaceStyle style = {});
  int FontSize() const { return fontSize_; }
  void SetFontSize(int points);
  int CharCode() const { return charCode_; }
  // Clamped into 0 .. 255.
  void SetCharCode(int code);
  // Shown instead of the code's character when not empty: a code point's.
  const std::wstring& CharText() const { return charText_; }
  void SetCharText(const std::wstring& text);

  COLORREF CharColor() const { return charColor_; }
  void SetCharColor(COLORREF color);
  COLORREF InfoColor() const { return infoColor_; }
  void SetInfoColor(COLORREF color);
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);
  const std::string& InfoText() const { return infoText_; }
  void SetInfoText(const std::string& text);

  // Shows the form and handles messages until it closes; then hides it.
  // False, at once, when another magnifier is showing already.
  bool ShowModal();
  // Whether one is showing now.
  static bool IsOpen();

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Resize();
  void Paint(HDC dc);
  void Dismiss();

  std::string infoFontName_;
  int infoFontSize_;
  std::string fontName_;
  charmap::TFaceStyle style_;
  int fontSize_ = 256;
  COLORREF charColor_;
  COLORREF infoColor_;
  COLORREF color_;
  std::string infoText_;
  int charCode_ = 0;
  std::wstring charText_;
  TFontHandle charFont_;
  TFontHandle infoFont_;
  bool closed_ = false;
};
