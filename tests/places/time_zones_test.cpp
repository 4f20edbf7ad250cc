#include <gtest/gtest.h>

#include <chrono>

#include "places/embedded_files.h"
#include "places/iso_clock_text.h"
#include "places/posix_tz_rule.h"
#include "places/tzif_time_zones.h"

namespace lumivane {
namespace {

UnixTime At(int year, int month, int day, int hour, int minute, int second) {
  using namespace std::chrono;
  return std::int64_t{sys_days(std::chrono::year(year) / month / day).time_since_epoch().count()} *
             86400 +
         hour * 3600 + minute * 60 + second;
}

struct OffsetRow {
  const char* zone;
  UnixTime t;
  std::int32_t offset;
  bool daylightSaving;
  const char* abbreviation;
};

// Each change as zdump (glibc's reader of the same files) prints it: the last
// second before and the first after. Years after 2037 come from the rule at
// the end of each file, not from its list of changes.
const OffsetRow kOffsets[] = {
    {"America/New_York", At(2026, 3, 8, 6, 59, 59), -18000, false, "EST"},
    {"America/New_York", At(2026, 3, 8, 7, 0, 0), -14400, true, "EDT"},
    {"America/New_York", At(2045, 11, 5, 5, 59, 59), -14400, true, "EDT"},
    {"America/New_York", At(2045, 11, 5, 6, 0, 0), -18000, false, "EST"},
    {"America/New_York", At(1800, 1, 1, 0, 0, 0), -17762, false, "LMT"},
    {"Australia/Sydney", At(2026, 4, 4, 15, 59, 59), 39600, true, "AEDT"},
    {"Australia/Sydney", At(2026, 4, 4, 16, 0, 0), 36000, false, "AEST"},
    {"Australia/Sydney", At(2045, 9, 30, 15, 59, 59), 36000, false, "AEST"},
    {"Australia/Sydney", At(2045, 9, 30, 16, 0, 0), 39600, true, "AEDT"},
    // Winter is Ireland's daylight saving time, an hour behind its standard.
    {"Europe/Dublin", At(2045, 3, 26, 0, 59, 59), 0, true, "GMT"},
    {"Europe/Dublin", At(2045, 3, 26, 1, 0, 0), 3600, false, "IST"},
    // Changes at -1:00 local time, on the Saturday before.
    {"America/Nuuk", At(2045, 3, 26, 0, 59, 59), -7200, false, "-02"},
    {"America/Nuuk", At(2045, 3, 26, 1, 0, 0), -3600, true, "-01"},
    // Samoa skipped 30 December 2011 to the other side of the date line.
    {"Pacific/Apia", At(2011, 12, 30, 9, 59, 59), -36000, true, "-10"},
    {"Pacific/Apia", At(2011, 12, 30, 10, 0, 0), 50400, true, "+14"},
    {"Asia/Kathmandu", At(2026, 12, 8, 7, 27, 4), 20700, false, "+0545"},
};

TEST(TzifTimeZones, OffsetsAroundTheChanges) {
  const TzifTimeZones zones(BuiltinZoneFiles());
  for (const OffsetRow& row : kOffsets) {
    const auto offset = zones.OffsetAt(row.zone, row.t);
    ASSERT_TRUE(offset) << row.zone;
    EXPECT_EQ(offset->utcOffsetSeconds, row.offset) << row.zone << " " << row.t;
    EXPECT_EQ(offset->daylightSaving, row.daylightSaving) << row.zone << " " << row.t;
    EXPECT_EQ(offset->abbreviation, row.abbreviation) << row.zone << " " << row.t;
  }
}

TEST(TzifTimeZones, UnknownZonesAndDamagedFilesGiveNothing) {
  const TzifTimeZones zones(BuiltinZoneFiles());
  EXPECT_FALSE(zones.OffsetAt("Mars/Olympus_Mons", 0));
  EXPECT_FALSE(zones.OffsetAt("", 0));

  const auto sydney =
      std::find_if(BuiltinZoneFiles().begin(), BuiltinZoneFiles().end(),
                   [](const EmbeddedFile& f) { return f.name == "Australia/Sydney"; });
  ASSERT_NE(sydney, BuiltinZoneFiles().end());
  const std::string_view whole = sydney->bytes;
  ASSERT_TRUE(TzifZone::Parse(whole));
  std::string noFooterEnd(whole.substr(0, whole.size() - 1));
  std::string badVersion(whole);
  badVersion[4] = '1';
  for (const std::string_view bytes :
       {whole.substr(0, 43), whole.substr(0, whole.size() / 2), std::string_view(noFooterEnd),
        std::string_view("TZif2"), std::string_view(badVersion)}) {
    EXPECT_FALSE(TzifZone::Parse(bytes)) << bytes.size();
  }
}

TEST(PosixTzRule, DayNumbersAndWholeYearDaylightSaving) {
  // J60 is 1 March even in a leap year; zero-based day 250 of 2028 is
  // 7 September (244 days to 1 September). Changes at 02:00 local time.
  const auto days = PosixTzRule::Parse("XST3XDT,J60,250");
  ASSERT_TRUE(days);
  EXPECT_EQ(days->OffsetAt(At(2028, 3, 1, 4, 59, 59)).utcOffsetSeconds, -10800);
  EXPECT_EQ(days->OffsetAt(At(2028, 3, 1, 5, 0, 0)).utcOffsetSeconds, -7200);
  EXPECT_EQ(days->OffsetAt(At(2028, 9, 7, 3, 59, 59)).utcOffsetSeconds, -7200);
  EXPECT_EQ(days->OffsetAt(At(2028, 9, 7, 4, 0, 0)).utcOffsetSeconds, -10800);

  const auto always = PosixTzRule::Parse("EST5EDT4,0/0,J365/25");
  ASSERT_TRUE(always);
  for (UnixTime t :
       {At(2026, 1, 1, 0, 30, 0), At(2026, 7, 1, 0, 0, 0), At(2026, 12, 31, 23, 0, 0)}) {
    EXPECT_EQ(always->OffsetAt(t).utcOffsetSeconds, -14400) << t;
  }
  for (const char* bad : {"", "EST", "EST5EDT", "EST5EDT,M3.2.0", "ES5", "<+05>", "EST25",
                          "EST5EDT,M13.1.0,M11.1.0", "EST5EDT,M3.2.0/168,M11.1.0", "EST5x"}) {
    EXPECT_FALSE(PosixTzRule::Parse(bad)) << bad;
  }
}

TEST(IsoClockText, UtcAndLocalWithTheirOffsets) {
  EXPECT_EQ(IsoUtcText(At(2026, 12, 8, 2, 4, 5)), "2026-12-08T02:04:05Z");
  EXPECT_EQ(IsoUtcText(-1), "1969-12-31T23:59:59Z");
  EXPECT_EQ(IsoLocalText(At(2026, 12, 8, 2, 4, 5), 39600), "2026-12-08T13:04:05+11:00");
  EXPECT_EQ(IsoLocalText(At(2026, 12, 8, 2, 4, 5), -34200), "2026-12-07T16:34:05-09:30");
  EXPECT_EQ(IsoLocalText(At(1800, 1, 1, 0, 0, 0), -17762), "1799-12-31T19:03:58-04:56:02");
}

}  // namespace
}  // namespace lumivane
