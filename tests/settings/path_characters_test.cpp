#include "settings/path_characters.h"

#include <gtest/gtest.h>

#include <string>

namespace lumivane {
namespace {

struct PathCase {
  const char* text;
  std::size_t characters;  // UTF-16 code units, as Windows counts a path
};

TEST(PathCharacters, CountsUtf16UnitsNotBytes) {
  const PathCase cases[] = {
      {"C:\\maps\\a.bmp", 13},
      {"C:\\\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD1\x8B", 8},  // C:\Карты: two bytes each
      {"\xE5\x9C\xB0\xE5\x9B\xBE", 2},                      // 地图: three bytes each
      {"\xF0\x9F\x8C\x8D", 2},                              // 🌍: a surrogate pair
      {"a\xE9z", 3},                                        // cp1252 é: not UTF-8, one each
      {"\xF0\x9F", 1},                                      // a sequence cut short
  };
  for (const PathCase& c : cases) EXPECT_EQ(PathCharacters(c.text), c.characters) << c.text;
}

TEST(CutToPathCharacters, KeepsWholeCharactersUpToTheLimit) {
  const std::string globe = "\xF0\x9F\x8C\x8D";
  EXPECT_EQ(CutToPathCharacters("ab" + globe + "c", 3), "ab");
  EXPECT_EQ(CutToPathCharacters("ab" + globe + "c", 4), "ab" + globe);
  EXPECT_EQ(CutToPathCharacters("\xD0\x9A\xD0\xB0", 1), "\xD0\x9A");
  EXPECT_EQ(CutToPathCharacters("abc", 10), "abc");
}

}  // namespace
}  // namespace lumivane
