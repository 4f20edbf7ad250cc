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

TEST(PositionsJson, PreciseAddsTheIlluminatedFraction) {
  // 2026-12-24 01:28 UTC, a full moon: lit almost whole.
  const std::string json = PrecisePositionsJson(1798075680);
  EXPECT_EQ(json.rfind("{\"time\": 1798075680, \"sun\": {\"declination\": -23.4", 0), 0u) << json;
  EXPECT_NE(json.find("\"phase\": \"Full\", \"illuminatedFraction\": 0.99"), std::string::npos)
      << json;
}

}  // namespace
}  // namespace lumivane
