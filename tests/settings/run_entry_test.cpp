#include "settings/run_entry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_profile_store.h"
#include "fakes/fake_settings_ports.h"

namespace lumivane {
namespace {

using ::testing::ElementsAre;

class RunEntryTest : public ::testing::Test {
 protected:
  void Update(std::int32_t wanted) { UpdateRunEntry(wanted, store, registration, owner); }

  std::vector<std::string> log;
  FakeProfileStore store{log};
  FakeStartupRegistration registration{log};
  FakeMessageSink owner{log};
};

TEST_F(RunEntryTest, AWishRegistersTheQuotedProgramPathAndStoresTheWish) {
  registration.programPath = "/home/ann/Tools/lumivane";
  Update(1);
  EXPECT_THAT(log, ElementsAre("ProgramPath -> \"/home/ann/Tools/lumivane\"",
                               "Register \"\"/home/ann/Tools/lumivane\"\"",
                               "WriteSettingInt options/start 1"));
  EXPECT_EQ(registration.entry, "\"/home/ann/Tools/lumivane\"");

  // Any nonzero wish is stored unchanged.
  log.clear();
  Update(5);
  EXPECT_THAT(log.back(), "WriteSettingInt options/start 5");
}

TEST_F(RunEntryTest, NoWishRemovesTheEntryEveryTime) {
  registration.entry = "\"/elsewhere/lumivane\"";
  Update(0);
  Update(0);
  EXPECT_THAT(log, ElementsAre("Unregister", "WriteSettingInt options/start 0", "Unregister",
                               "WriteSettingInt options/start 0"));
  EXPECT_FALSE(registration.entry.has_value());
}

TEST_F(RunEntryTest, PathOf256CharactersIsAcceptedAnd257IsTooLong) {
  registration.programPath = "/" + std::string(255, 'p');
  Update(1);
  EXPECT_EQ(registration.entry, '"' + registration.programPath + '"');
  EXPECT_EQ(store.IntValue("options", "start"), 1);

  registration.programPath += 'p';
  log.clear();
  Update(1);
  EXPECT_THAT(log, ElementsAre("ProgramPath -> " + Quoted(registration.programPath),
                               "ShowMessage \"File pathname is too long.\"", "Unregister",
                               "WriteSettingInt options/start 0"));
  EXPECT_FALSE(registration.entry.has_value());
}

TEST_F(RunEntryTest, ThePathIsCountedInCharactersNotBytes) {
  // 256 Cyrillic letters are 512 bytes of UTF-8 and still fit.
  std::string cyrillic;
  for (int i = 0; i < 128; ++i) cyrillic += "\xD0\x9A\xD0\xB0";
  registration.programPath = cyrillic;
  Update(1);
  EXPECT_EQ(registration.entry, '"' + cyrillic + '"');

  // An emoji counts two, as in UTF-16: 255 + 2 is one too many.
  registration.programPath = std::string(255, 'p') + "\xF0\x9F\x8C\x8D";
  Update(1);
  EXPECT_FALSE(registration.entry.has_value());
  EXPECT_EQ(store.IntValue("options", "start"), 0);
}

TEST_F(RunEntryTest, AFailedRegistrationSilentlyTurnsTheWishOff) {
  registration.registerSucceeds = false;
  Update(1);
  EXPECT_THAT(log, ElementsAre("ProgramPath -> \"/opt/lumivane/lumivane\"",
                               "Register \"\"/opt/lumivane/lumivane\"\"", "Unregister",
                               "WriteSettingInt options/start 0"));
}

TEST_F(RunEntryTest, AnUnknownProgramPathRegistersNothing) {
  registration.programPath.clear();
  Update(1);
  EXPECT_THAT(log,
              ElementsAre("ProgramPath -> \"\"", "Unregister", "WriteSettingInt options/start 0"));
}

}  // namespace
}  // namespace lumivane
