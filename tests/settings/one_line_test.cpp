#include "settings/one_line.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(OneLine, ShowsControlsAndBytesThatAreNotUtf8AsEscapes) {
  using namespace std::string_literals;
  const struct {
    std::string text;
    const char* shown;
  } cases[] = {
      {"frame.png", "frame.png"},
      {"a\nb\r\tc"s + '\0', "a\\x0Ab\\x0D\\x09c\\x00"},
      {"\x1b[2J\x7f", "\\x1B[2J\\x7F"},
      {"back\\slash", "back\\\\slash"},
      {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"},
      {"\xc2\x9b"
       "31m \xc2\xa0",
       "\\xC2\\x9B31m \xc2\xa0"},  // C1 CSI; no-break space stays
      {"\xff\xfe", "\\xFF\\xFE"},
      {"\xc3", "\\xC3"},                                        // cut short at the end
      {"\xc3(", "\\xC3("},                                      // cut short by another character
      {"\xc0\xaf \xe0\x80\xaf", "\\xC0\\xAF \\xE0\\x80\\xAF"},  // overlong '/'
      {"\xed\xa0\x80", "\\xED\\xA0\\x80"},                      // a surrogate
      {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},             // past U+10FFFF
  };
  for (const auto& c : cases) EXPECT_EQ(OneLine(c.text), c.shown) << c.shown;
}

}  // namespace
}  // namespace lumivane
