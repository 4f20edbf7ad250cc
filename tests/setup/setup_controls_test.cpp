#include "setup/setup_controls.h"

#include <gtest/gtest.h>

#include <string>

namespace lumivane {
namespace {

// Windows names a control without text after the label just before it in
// the template; the other toolkits are given the same name.
TEST(SetupControls, EachTrackbarFollowsTheLabelThatNamesIt) {
  for (const auto& [trackbar, name] : kSetupTrackbarNames) {
    SCOPED_TRACE(name);
    std::size_t at = 0;
    while (at < kSetupControls.size() && !(kSetupControls[at].kind == SetupControlKind::Trackbar &&
                                           kSetupControls[at].id == ControlId(trackbar))) {
      ++at;
    }
    ASSERT_GT(at, 0u);
    ASSERT_LT(at, kSetupControls.size());
    EXPECT_EQ(kSetupControls[at - 1].kind, SetupControlKind::Label);
    EXPECT_EQ(std::string(kSetupControls[at - 1].text), name);
  }
  EXPECT_EQ(std::string(kSetupTrackbarNames[0].name), "Night darkness");
  EXPECT_EQ(std::string(kSetupTrackbarNames[1].name), "World size");
}

}  // namespace
}  // namespace lumivane
