#include "picture_files/map_load_failure.h"

#include <gtest/gtest.h>

namespace lumivane {
namespace {

TEST(MapLoadFailure, EachCauseHasItsOwnWords) {
  const struct {
    MapLoadFailure failure;
    const char* text;
  } cases[] = {
      {{MapLoadProblem::NotFound}, "not found"},
      {{MapLoadProblem::NotARegularFile}, "not a regular file"},
      {{MapLoadProblem::PermissionDenied}, "permission denied"},
      {{MapLoadProblem::NotAPicture}, "not a picture Lumivane can read"},
      {{MapLoadProblem::TooLarge, 16000, 20000}, "too large: 16000x20000 over the limit"},
      {{MapLoadProblem::OutOfMemory}, "out of memory"},
  };
  for (const auto& [failure, text] : cases) EXPECT_EQ(DescribeMapLoadFailure(failure), text);
}

}  // namespace
}  // namespace lumivane
