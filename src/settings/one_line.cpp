#include "settings/one_line.h"

#include <cstdint>

#include "text/utf8_sequence.h"

namespace lumivane {

namespace {

void AppendEscaped(std::string& out, std::uint8_t byte) {
  constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 0xF];
}

}  // namespace

std::string OneLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto lead = static_cast<std::uint8_t>(text[at]);
    const std::size_t length = Utf8SequenceAt(text, at).length;
    // C1 controls are U+0080 to U+009F: 0xC2 0x80 to 0xC2 0x9F.
    const bool control =
        lead < 0x20 || lead == 0x7F ||
        (length == 2 && lead == 0xC2 && static_cast<std::uint8_t>(text[at + 1]) < 0xA0);
    if (lead == '\\') {
      out += "\\\\";
      ++at;
    } else if (length == 0) {
      AppendEscaped(out, lead);
      ++at;
    } else if (control) {
      for (std::size_t i = 0; i < length; ++i) {
        AppendEscaped(out, static_cast<std::uint8_t>(text[at + i]));
      }
      at += length;
    } else {
      out.append(text, at, length);
      at += length;
    }
  }
  return out;
}

}  // namespace lumivane
