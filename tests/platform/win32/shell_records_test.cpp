#include "platform/win32/shell_records.h"

#include <gtest/gtest.h>

#include <string>

namespace lumivane::win32 {
namespace {

TEST(TrayIconRecord, FirstFormWithIdMessageIconAndTip) {
  HWND window = reinterpret_cast<HWND>(0x1234);
  HICON icon = reinterpret_cast<HICON>(0x5678);
  const NOTIFYICONDATAA record = TrayIconRecord(window, icon, "Lumivane");
  // 88 bytes on 32-bit Windows; the 64-bit layout has wider handles.
  EXPECT_EQ(record.cbSize, sizeof(void*) == 4 ? 88u : NOTIFYICONDATAA_V1_SIZE);
  EXPECT_EQ(record.hWnd, window);
  EXPECT_EQ(record.uID, 128u);
  EXPECT_EQ(record.uFlags, 7u);
  EXPECT_EQ(record.uCallbackMessage, 0x0464u);
  EXPECT_EQ(record.hIcon, icon);
  EXPECT_STREQ(record.szTip, "Lumivane");
}

TEST(TrayIconRecord, TipIsCutTo63CharactersWithItsZero) {
  const std::string longTip(100, 'x');
  const NOTIFYICONDATAA record = TrayIconRecord(nullptr, nullptr, longTip);
  EXPECT_EQ(std::string(record.szTip), std::string(63, 'x'));
  EXPECT_STREQ(TrayIconRecord(nullptr, nullptr, "").szTip, "");
}

TEST(OpenFileFilter, BarsBecomeZerosAndTheListEndsWithTwo) {
  const std::string filter = OpenFileFilter("Windows bitmap (*.bmp)|*.bmp|All files (*.*)|*.*||");
  constexpr char kExpected[] = "Windows bitmap (*.bmp)\0*.bmp\0All files (*.*)\0*.*\0";
  const std::string expected(kExpected, sizeof kExpected);  // with the final zero
  EXPECT_EQ(filter, expected);
}

}  // namespace
}  // namespace lumivane::win32
