#include "render/image.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(Image, NonPositiveSizesGiveAnEmptyImage) {
  for (auto [w, h] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-3, 4}, std::pair{4, -3}}) {
    const Image image(w, h);
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.height(), 0);
  }
}

TEST(Image, RowsAreTopDownAndFilled) {
  Image image(3, 2, MakePixel(1, 2, 3));
  image.at(2, 1) = MakePixel(9, 8, 7);
  EXPECT_EQ(image.row(1)[2], MakePixel(9, 8, 7));
  EXPECT_EQ(image.pixels()[5], MakePixel(9, 8, 7));
  EXPECT_EQ(image.at(0, 0), MakePixel(1, 2, 3));
}

TEST(Pixel, Channels) {
  const Pixel p = MakePixel(0x12, 0x34, 0x56);
  EXPECT_EQ(p, 0x00123456u);
  EXPECT_EQ(RedOf(p), 0x12u);
  EXPECT_EQ(GreenOf(p), 0x34u);
  EXPECT_EQ(BlueOf(p), 0x56u);
}

}  // namespace
}  // namespace lumivane
