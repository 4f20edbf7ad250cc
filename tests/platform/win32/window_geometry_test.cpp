#include "platform/win32/window_geometry.h"

#include <gtest/gtest.h>

namespace lumivane::win32 {
namespace {

constexpr RECT kWorkArea{0, 0, 1280, 770};

void ExpectRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(CentreWithin, CentresOverTheOwnerWhenItFits) {
  ExpectRect(CentreWithin({300, 200, 700, 400}, 200, 100, kWorkArea), 400, 250, 600, 350);
}

TEST(CentreWithin, IsPushedBackInsideTheWorkAreaKeepingItsSize) {
  // A world window in the top-right corner: the dialog would stick out.
  ExpectRect(CentreWithin({880, 0, 1280, 200}, 480, 520, kWorkArea), 800, 0, 1280, 520);
  ExpectRect(CentreWithin({0, 700, 100, 800}, 480, 520, kWorkArea), 0, 250, 480, 770);
}

TEST(CentreWithin, LargerThanTheWorkAreaKeepsTheTopLeftCornerInside) {
  ExpectRect(CentreWithin({0, 0, 100, 100}, 2000, 1000, kWorkArea), 0, 0, 2000, 1000);
}

}  // namespace
}  // namespace lumivane::win32
