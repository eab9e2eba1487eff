#include "views/model/FontInfoModel.h"

#include "sys/codepage.h"

namespace fontinfo {

namespace {

// Virtual keys and scroll codes as Windows numbers them.
enum : unsigned { kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24, kVkUp = 0x26, kVkDown = 0x28 };
enum : int { kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kTop = 6, kBottom = 7 };

}  // namespace

const std::vector<TSectionDef>& Sections() {
  static const std::vector<TSectionDef> sections = {
      {L"名称详细资料", TSectionKind::Rows,
       {L"字体名称", L"字体系列名", L"字体子系列名", L"附记名称", L"字体唯一标识符", L"字体格式"}, 1, 0},
      {L"版本", TSectionKind::Single, {}, 0, 0},
      {L"版权", TSectionKind::Single, {}, 0, 0},
      {L"商标", TSectionKind::Single, {}, 0, 0},
      {L"厂商", TSectionKind::Linked, {}, 0, 0},
      {L"设计者", TSectionKind::Linked, {}, 0, 0},
      {L"描述", TSectionKind::Single, {}, 0, 0},
      {L"许可", TSectionKind::Linked, {}, 0, 0},
      {L"基本印刷尺度", TSectionKind::Rows,
       {L"Units per Em", L"Ascender", L"Descender", L"Line Gap", L"Maximum Extent",
        L"Smallest Readable Size"},
       2, 0},
      {L"Windows 尺度", TSectionKind::Rows,
       {L"重力等级", L"宽度等级", L"高度", L"上升", L"下降", L"平均字符宽度", L"斜体", L"下划线",
        L"阴文", L"空心", L"删除线", L"粗体", L"常规体"},
       3, 6},
  };
  return sections;
}

std::vector<TSectionValues> SectionValues(const TFontFields& f) {
  auto one = [](const std::string& value, const std::string& link = {}) {
    return TSectionValues{{value}, link};
  };
  const auto d = [](int64_t v) { return FormatDecimal(v); };
  return {
      {{f.FontName, f.FamilyName, f.SubfamilyName, f.PostScriptName, f.UniqueID, FormatText(f)}, {}},
      one(f.Version),
      one(f.Copyright),
      one(f.Trademark),
      one(f.Manufacturer, f.VendorURL),
      one(f.Designer, f.DesignerURL),
      one(f.Description),
      one(f.License, f.LicenseURL),
      {{d(f.UnitsPerEm), d(f.Ascender), d(f.Descender), d(f.LineGap), d(f.MaxExtent),
        d(f.LowestRecPPEM)},
       {}},
      {{WeightClassName(f.WeightClass), WidthClassName(f.WidthClass), d(f.WinHeight),
        d(f.WinAscent), d(f.WinDescent), d(f.AvgCharWidth), YesNo(f.Italic), YesNo(f.Underscore),
        YesNo(f.Negative), YesNo(f.Outlined), YesNo(f.Strikeout), YesNo(f.Bold), YesNo(f.Regular)},
       {}},
  };
}

bool SectionShown(const TSectionDef& section, const TSectionValues& values) {
  const bool hasValue = !values.values.empty() && !values.values.front().empty();
  switch (section.kind) {
    case TSectionKind::Rows:
      return true;
    case TSectionKind::Single:
      return hasValue;
    case TSectionKind::Linked:
      return hasValue || !values.link.empty();
  }
  return true;
}

std::wstring CaptionText(std::wstring_view caption) { return std::wstring(caption) + L":"; }

std::string FormatDecimal(int64_t value) { return std::to_string(value); }

namespace {
std::string Unknown(int32_t value) { return "Unknown (" + FormatDecimal(value) + ")"; }
}  // namespace

std::string WeightClassName(int32_t weightClass) {
  static const char* const kNames[] = {
      "Thin",   "Extra-light (Ultra-light)", "Light", "Normal (Regular)", "Medium",
      "Semi-bold (Demi-bold)", "Bold", "Extra-bold (Ultra-bold)", "Black (Heavy)"};
  if (weightClass < 100 || weightClass > 900 || weightClass % 100 != 0) return Unknown(weightClass);
  return kNames[weightClass / 100 - 1];
}

std::string WidthClassName(int32_t widthClass) {
  static const char* const kNames[] = {
      "Ultra-condensed (50% of normal)",  "Extra-condensed (62.5% of normal)",
      "Condensed (75% of normal)",        "Semi-condensed (87.5% of normal)",
      "Medium (Normal)",                  "Semi-expanded (112.5% of normal)",
      "Expanded (125% of normal)",        "Extra-expanded (150% of normal)",
      "Ultra-expanded (200% of normal)"};
  if (widthClass < 1 || widthClass > 9) return Unknown(widthClass);
  return kNames[widthClass - 1];
}

std::string FormatText(const TFontFields& f) {
  std::wstring text = f.Format == ffCff ? L"OpenType (CFF)" : L"TrueType";
  if (f.FaceCount > 0) {
    text += L" 字体集合，第 " + std::to_wstring(f.FaceIndex + 1) + L" 个字体 (共 " +
            std::to_wstring(f.FaceCount) + L" 个)";
  }
  return sys::Narrow(text);
}

std::string YesNo(bool value) { return value ? "Yes" : "No"; }

std::string TrimBlanks(std::string_view text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  size_t begin = 0, end = text.size();
  while (begin < end && blank(text[begin])) ++begin;
  while (end > begin && blank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

int ScrollCodeForKey(unsigned virtualKey, bool noModifiers, bool ctrlAlone) {
  switch (virtualKey) {
    case kVkUp:
      return noModifiers ? kLineUp : kPageUp;
    case kVkDown:
      return noModifiers ? kLineDown : kPageDown;
    case kVkPrior:
      return ctrlAlone ? kTop : kPageUp;
    case kVkNext:
      return ctrlAlone ? kBottom : kPageDown;
    case kVkHome:
      return kTop;
    case kVkEnd:
      return kBottom;
    default:
      return -1;
  }
}

}  // namespace fontinfo
