#include "platform/win32/run_key_registration.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_profile_store.h"
#include "fakes/fake_settings_ports.h"
#include "settings/run_entry.h"

namespace lumivane::win32 {
namespace {

// A scratch value name, so a real entry of the program is left alone.
class RunKeyRegistrationTest : public ::testing::Test {
 protected:
  RunKeyRegistrationTest()
      : valueName_("LumivaneShellTest" + std::to_string(GetCurrentProcessId())),
        registration_(valueName_) {}
  ~RunKeyRegistrationTest() override { registration_.Unregister(); }

  // The value's type and text, or nothing when it is missing.
  std::optional<std::pair<DWORD, std::string>> Stored() const {
    char buffer[1024] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, RunKeyRegistration::kRunKeyPath, valueName_.c_str(),
                     RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    EXPECT_GT(size, 0u);
    EXPECT_EQ(buffer[size - 1], '\0');  // stored with its terminating zero
    return std::make_pair(type, std::string(buffer));
  }

  std::string valueName_;
  RunKeyRegistration registration_;
};

TEST_F(RunKeyRegistrationTest, RegisterWritesTheQuotedCommandAndUnregisterRemovesIt) {
  ASSERT_TRUE(registration_.Register("\"D:\\Tools\\Lumivane.exe\""));
  const auto stored = Stored();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->first, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(stored->second, "\"D:\\Tools\\Lumivane.exe\"");

  registration_.Unregister();
  EXPECT_FALSE(Stored());
  registration_.Unregister();  // already gone: nothing happens
  EXPECT_FALSE(Stored());
}

TEST_F(RunKeyRegistrationTest, APathInAnyScriptIsStoredAsItsCharacters) {
  // UTF-8 in (the program's code page), the same characters in the registry.
  ASSERT_TRUE(
      registration_.Register("\"D:\\\xE5\x9C\xB0\xE5\x9B\xBE\\\xD0\x9A\xD0\xB0\\Lumivane.exe\""));
  wchar_t stored[64] = {};
  DWORD size = sizeof stored;
  const std::wstring name(valueName_.begin(), valueName_.end());
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                         name.c_str(), RRF_RT_REG_SZ, nullptr, stored, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(stored), L"\"D:\\\x5730\x56FE\\\x041A\x0430\\Lumivane.exe\"");
}

TEST_F(RunKeyRegistrationTest, ProgramPathIsTheWholePathOfTheRunningFile) {
  const std::string path = registration_.ProgramPath();
  ASSERT_GT(path.size(), 4u);
  EXPECT_EQ(path.substr(path.size() - 4), ".exe");
  EXPECT_EQ(path[1], ':');  // a drive path, not a relative one
  EXPECT_EQ(GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES, false);
}

TEST_F(RunKeyRegistrationTest, UpdateRunEntryRegistersThisProgramAndStoresTheOutcome) {
  FakeProfileStore store;
  FakeMessageSink messages;
  UpdateRunEntry(5, store, registration_, messages);
  const auto stored = Stored();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->second, '"' + registration_.ProgramPath() + '"');
  EXPECT_EQ(store.IntValue("options", "start"), 5);

  UpdateRunEntry(0, store, registration_, messages);
  EXPECT_FALSE(Stored());
  EXPECT_EQ(store.IntValue("options", "start"), 0);
  EXPECT_TRUE(messages.log.empty());
}

}  // namespace
}  // namespace lumivane::win32
