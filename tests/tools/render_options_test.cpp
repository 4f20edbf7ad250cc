#include "render_options.h"

#include <limits>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace lumivane {
namespace {

ParsedRenderOptions Parse(std::vector<std::string_view> arguments) {
  return ParseRenderOptions(arguments);
}

TEST(ParseRenderOptions, PositionsWithAndWithoutTime) {
  const auto now = Parse({"--positions"});
  ASSERT_TRUE(now.options);
  EXPECT_TRUE(now.options->positions);
  EXPECT_FALSE(now.options->time);

  const auto at = Parse({"--time", "-9223372036854775808", "--positions"});
  ASSERT_TRUE(at.options);
  EXPECT_EQ(at.options->time, std::numeric_limits<UnixTime>::min());
}

TEST(ParseRenderOptions, BadInputNamesTheProblem) {
  EXPECT_NE(Parse({"--positions", "--time"}).error.find("--time needs a value"), std::string::npos);
  EXPECT_NE(Parse({"--positions", "--time", "12x"}).error.find("'12x'"), std::string::npos);
  EXPECT_NE(Parse({"--positions", "--time", "9223372036854775808"}).error.find("64-bit"),
            std::string::npos);
  EXPECT_NE(Parse({"--positions", "--time", ""}).error.find("''"), std::string::npos);
  EXPECT_NE(Parse({"--positions", "--frobnicate"}).error.find("unknown option '--frobnicate'"),
            std::string::npos);
  EXPECT_NE(Parse({}).error.find("nothing to do"), std::string::npos);
  EXPECT_FALSE(Parse({"--time", " 5", "--positions"}).options);
}

TEST(ParseRenderOptions, HelpNeedsNothingElse) {
  const auto help = Parse({"--help"});
  ASSERT_TRUE(help.options);
  EXPECT_TRUE(help.options->help);
}

}  // namespace
}  // namespace lumivane
