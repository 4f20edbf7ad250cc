#include "places/name_folding.h"

#include <algorithm>

#include "text/utf8_sequence.h"

namespace lumivane {

namespace {

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::string NameFolding::Fold(std::string_view text) const {
  std::string key;
  key.reserve(text.size());
  bool space = false;
  const auto emit = [&](std::string_view part) {
    if (space && !key.empty()) key += ' ';
    space = false;
    key += part;
  };
  for (std::size_t at = 0; at < text.size();) {
    // A byte that does not start well-formed UTF-8 stands for itself.
    const Utf8Sequence sequence = Utf8SequenceAt(text, at);
    const char32_t cp = sequence.length > 0 ? sequence.codePoint : 0xFFFFFFFF;
    const std::size_t length = std::max<std::size_t>(sequence.length, 1);
    const std::string_view original = text.substr(at, length);
    at += length;
    if (cp < 0x80) {
      char c = static_cast<char>(cp);
      if (IsAsciiAlnum(c)) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        emit(std::string_view(&c, 1));
      } else {
        space = true;
      }
      continue;
    }
    std::string_view entry = "\xFF\xFF";
    for (const Range& range : ranges_) {
      if (cp >= range.first && cp - range.first < range.count) {
        entry = range.entries.substr(2 * (cp - range.first), 2);
        break;
      }
    }
    if (entry == "\xFF\xFF") {
      emit(original);
    } else if (entry == std::string_view(" \0", 2)) {
      space = true;
    } else if (entry[0] != '\0') {
      emit(entry.substr(0, entry[1] == '\0' ? 1 : 2));
    }
  }
  return key;
}

}  // namespace lumivane
