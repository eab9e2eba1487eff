// Which addresses a link label may hand to the shell. The address comes from
// outside (a font file's name table): only web and mail addresses are opened,
// never a program, a file or anything the shell would run.
#pragma once

#include <string_view>

namespace linklabel {

inline bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

// An http, https or mailto address with something after its scheme, and no
// blank, control character or quote that could end it early on a command line.
inline bool IsOpenableUrl(std::string_view url) {
  for (char c : url) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 0x7F || c == '"') return false;
  }
  for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://"),
                                  std::string_view("mailto:")}) {
    if (StartsWithNoCase(url, scheme)) {
      const std::string_view rest = url.substr(scheme.size());
      return !rest.empty() && rest.front() != '/' && rest.front() != '\\';
    }
  }
  return false;
}

}  // namespace linklabel
