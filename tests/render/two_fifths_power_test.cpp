#include "render/two_fifths_power.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(TwoFifthsPower, StaysWithinItsBoundOfPowOverEveryExponent) {
  const TwoFifthsPower& power = TwoFifthsPower::Instance();
  std::uint64_t seed = 99;
  double worst = 0;
  for (int i = 0; i < 2'000'000; ++i) {
    seed = seed * 6364136223846793005ull + 1442695040888963407ull;
    // Mantissas spread evenly, exponents from 2^-1022 up to just below 1.
    const double mantissa = 1 + static_cast<double>(seed >> 11) * 0x1p-53;
    const double x = std::ldexp(mantissa, -1 - static_cast<int>(seed % 1022));
    const double expected = std::pow(x, 0.4);
    const double got = power.Approximate(x);
    worst = std::max(worst, std::abs(got - expected) / expected);
  }
  EXPECT_LT(worst, TwoFifthsPower::kRelativeError);
  // The ends of the range: table entries' edges and the largest double below 1.
  for (double x : {0.5, 0.25, std::nextafter(1.0, 0.0), 0x1p-1022, 1e-300, 0.000977}) {
    EXPECT_NEAR(power.Approximate(x), std::pow(x, 0.4),
                std::pow(x, 0.4) * TwoFifthsPower::kRelativeError)
        << x;
  }
}

TEST(TwoFifthsPower, NoAnswerOutsideItsRange) {
  const TwoFifthsPower& power = TwoFifthsPower::Instance();
  for (double x : {0.0, -0.5, 1.0, 2.0, 0x1p-1074, std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_TRUE(std::isnan(power.Approximate(x))) << x;
  }
}

}  // namespace
}  // namespace lumivane
