// The version resource compiled into the program (linked into this test
// program as well), read back the way Explorer's file properties read it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumivane::win32 {
namespace {

class VersionResourceTest : public testing::Test {
 protected:
  void SetUp() override {
    char path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    data_.resize(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data_.data()));
  }

  std::string Text(const char* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string block = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(data_.data(), block.c_str(), &value, &length) || length == 0) return {};
    return static_cast<const char*>(value);
  }

  std::vector<char> data_;
};

TEST_F(VersionResourceTest, NamesTheProductItsMakerAndTheProjectVersion) {
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data_.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  const std::string version = LUMIVANE_VERSION;  // "major.minor.patch"
  const std::string fileVersion = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                  std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                  std::to_string(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(fileVersion, version);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  EXPECT_EQ(Text("CompanyName"), "Brevanta");
  EXPECT_EQ(Text("ProductName"), "Lumivane");
  EXPECT_EQ(Text("FileDescription"), "Lumivane sun clock");
  EXPECT_EQ(Text("OriginalFilename"), "Lumivane.exe");
  EXPECT_EQ(Text("FileVersion"), version);
  EXPECT_EQ(Text("ProductVersion"), version);
}

}  // namespace
}  // namespace lumivane::win32
