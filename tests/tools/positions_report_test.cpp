#include "positions_report.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(PositionsJson, ShapeAndExactNumbersAtJ2000) {
  const std::string json = PositionsJson(946728000);
  EXPECT_EQ(json.rfind("{\"time\": 946728000, \"sun\": {\"declination\": -23.03389", 0), 0u)
      << json;
  EXPECT_NE(json.find("\"westLongitude\": 0, \"rightAscension\": -78.70708"), std::string::npos)
      << json;
  EXPECT_NE(json.find("}, \"moon\": {\"declination\": -4.60076"), std::string::npos) << json;
  EXPECT_NE(json.find("\"phase\": \"LastQuarter\"}"), std::string::npos) << json;
}

}  // namespace
}  // namespace lumivane
