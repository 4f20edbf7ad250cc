#include "platform/win32/registry_profile_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane::win32 {
namespace {

// Each test works in a scratch application key of its own and removes it.
class RegistryProfileStoreTest : public ::testing::Test {
 protected:
  RegistryProfileStoreTest()
      : application_("LumivaneShellTest" + std::to_string(GetCurrentProcessId())),
        store_("Brevanta", application_) {}
  ~RegistryProfileStoreTest() override { RegDeleteTreeA(HKEY_CURRENT_USER, AppPath().c_str()); }

  std::string AppPath() const { return "Software\\Brevanta\\" + application_; }
  std::string SectionPath(const std::string& section) const { return AppPath() + "\\" + section; }

  bool KeyExists(const std::string& path) const {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }

  // Stores raw data of any type, as a hand edit would.
  void SetRaw(const std::string& section, const std::string& name, DWORD type,
              const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(
        RegSetValueExA(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())),
        ERROR_SUCCESS);
    RegCloseKey(key);
  }

  // The stored value's type and data, read without the store.
  struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
  };
  RawValue GetRaw(const std::string& section, const std::string& name) const {
    RawValue value;
    BYTE buffer[1024];
    DWORD size = sizeof buffer;
    if (RegGetValueA(HKEY_CURRENT_USER, SectionPath(section).c_str(), name.c_str(),
                     RRF_RT_ANY | RRF_NOEXPAND, &value.type, buffer, &size) == ERROR_SUCCESS) {
      value.data.assign(buffer, buffer + size);
    }
    return value;
  }

  std::string application_;
  RegistryProfileStore store_;
};

TEST_F(RegistryProfileStoreTest, MissingValuesReadAsTheDefaultsAndLeaveTheEmptyKeyChain) {
  EXPECT_EQ(store_.ReadSettingInt("size", "scale", 30), 30);
  EXPECT_EQ(store_.ReadSettingInt("anchor", "x", -1), -1);
  EXPECT_EQ(store_.ReadSettingString("options", "image", "Default"), "Default");

  // Reads create the keys down to their section, but no values.
  EXPECT_TRUE(KeyExists(SectionPath("size")));
  EXPECT_TRUE(KeyExists(SectionPath("anchor")));
  EXPECT_TRUE(KeyExists(SectionPath("options")));
  EXPECT_FALSE(KeyExists(SectionPath("colors")));
  DWORD valueCount = 99;
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath("size").c_str(), 0, KEY_READ, &key),
            ERROR_SUCCESS);
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  EXPECT_EQ(valueCount, 0u);
}

TEST_F(RegistryProfileStoreTest, NumbersRoundTripAsFourByteDwords) {
  for (const std::int32_t value : {0, 1, -1, 45, INT32_MIN, INT32_MAX}) {
    EXPECT_TRUE(store_.WriteSettingInt("position", "x", value));
    EXPECT_EQ(store_.ReadSettingInt("position", "x", 7), value);
  }
  const RawValue raw = GetRaw("position", "x");
  EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(raw.data, (std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST_F(RegistryProfileStoreTest, TextsRoundTripWithTheirTerminatingZero) {
  const std::string path = "C:\\maps\\earth map.bmp";
  EXPECT_TRUE(store_.WriteSettingString("options", "image", path));
  EXPECT_EQ(store_.ReadSettingString("options", "image", "Default"), path);
  const RawValue raw = GetRaw("options", "image");
  EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(raw.data.size(), path.size() + 1);
  EXPECT_EQ(raw.data.back(), 0);

  // An empty text is a stored value, not a missing one.
  EXPECT_TRUE(store_.WriteSettingString("options", "image", ""));
  EXPECT_EQ(store_.ReadSettingString("options", "image", "Default"), "");
  // A long text survives whole.
  const std::string longText(600, 'm');
  EXPECT_TRUE(store_.WriteSettingString("options", "image", longText));
  EXPECT_EQ(store_.ReadSettingString("options", "image", "Default"), longText);
}

TEST_F(RegistryProfileStoreTest, ValuesOfAnotherTypeOrSizeReadAsTheDefault) {
  SetRaw("size", "scale", REG_SZ, {'4', '5', 0});
  SetRaw("size", "w", REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0});
  SetRaw("size", "h", REG_BINARY, {1, 0, 0, 0});        // four bytes, but not a number
  SetRaw("colors", "nightfilter", REG_DWORD, {70, 0});  // too short for a DWORD
  SetRaw("options", "image", REG_DWORD, {1, 0, 0, 0});
  EXPECT_EQ(store_.ReadSettingInt("size", "scale", 30), 30);
  EXPECT_EQ(store_.ReadSettingInt("size", "w", 400), 400);
  EXPECT_EQ(store_.ReadSettingInt("size", "h", 200), 200);
  EXPECT_EQ(store_.ReadSettingInt("colors", "nightfilter", 50), 50);
  EXPECT_EQ(store_.ReadSettingString("options", "image", "Default"), "Default");
}

TEST_F(RegistryProfileStoreTest, HandEditedTextsWithoutTheirZeroReadWhole) {
  SetRaw("options", "image", REG_SZ, {'D', ':', '\\', 'a', '.', 'b', 'm', 'p'});
  EXPECT_EQ(store_.ReadSettingString("options", "image", "Default"), "D:\\a.bmp");
}

TEST_F(RegistryProfileStoreTest, ABaseSizeAboveTheSignedRangeKeepsItsBits) {
  SetRaw("size", "w", REG_DWORD, {0x00, 0x00, 0x00, 0x80});
  EXPECT_EQ(static_cast<std::uint32_t>(store_.ReadSettingInt("size", "w", 400)), 0x80000000u);
}

TEST_F(RegistryProfileStoreTest, TextsWithAnEmbeddedZeroAreRefusedAndNothingIsStored) {
  EXPECT_FALSE(store_.WriteSettingString("options", "image", std::string("a\0b", 3)));
  EXPECT_EQ(GetRaw("options", "image").type, static_cast<DWORD>(REG_NONE));
}

TEST_F(RegistryProfileStoreTest, ApplicationsKeepSeparateKeys) {
  RegistryProfileStore other("Brevanta", application_ + "Other");
  store_.WriteSettingInt("size", "scale", 45);
  EXPECT_EQ(other.ReadSettingInt("size", "scale", 30), 30);
  RegDeleteTreeA(HKEY_CURRENT_USER, (AppPath() + "Other").c_str());
}

}  // namespace
}  // namespace lumivane::win32
