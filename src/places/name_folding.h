#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumivane {

// Turns a place's name, or what the user types, into the key the list is
// sorted by, so that case, accents and punctuation do not matter: ASCII
// letters lowered, digits kept, other ASCII and punctuation a single space
// between words, Latin letters with marks folded as the table says
// ("Zürich", "ZURICH" -> "zurich"; "Saint-Étienne" -> "saint etienne"),
// other scripts unchanged. The table comes with the list (tools/gen/places.py
// writes both, and sorts the list by the same rule).
class NameFolding {
 public:
  // One range of code points and its two-byte entries (see places.py).
  struct Range {
    char32_t first = 0;
    std::uint32_t count = 0;
    std::string_view entries;  // 2 * count bytes
  };

  NameFolding() = default;
  explicit NameFolding(std::vector<Range> ranges) : ranges_(std::move(ranges)) {}

  // UTF-8 in, key out; bytes that are not UTF-8 are kept as they are.
  std::string Fold(std::string_view text) const;

 private:
  std::vector<Range> ranges_;
};

}  // namespace lumivane
