#include <gtest/gtest.h>

#include <chrono>
#include <regex>

#include "xnml/TimePoint.h"

namespace px {
namespace {

TEST(TimePoint, ISO8601TextAndCarries) {
  struct Case {
    int y, mo, d, h, mi;
    double s;
    const char* text;
  } cases[] = {
      {2026, 12, 9, 17, 45, 3.25, "2026-12-09T17:45:03.250Z"},
      {2026, 1, 2, 3, 4, 5.0, "2026-01-02T03:04:05.000Z"},
      {2026, 1, 2, 0, 0, 0.0, "2026-01-02T00:00:00.000Z"},
      {2026, 3, 1, 12, 0, 0.0004, "2026-03-01T12:00:00.000Z"},
      {2026, 3, 1, 12, 0, 0.0006, "2026-03-01T12:00:00.001Z"},
      // 59.9996 s rounds to 60.000: next minute.
      {2026, 3, 1, 12, 7, 59.9996, "2026-03-01T12:08:00.000Z"},
      // ... which can carry into the next hour ...
      {2026, 3, 1, 12, 59, 59.9996, "2026-03-01T13:00:00.000Z"},
      // ... into the next day, month and year.
      {2026, 3, 1, 23, 59, 59.9996, "2026-03-02T00:00:00.000Z"},
      {2026, 4, 30, 23, 59, 59.9999, "2026-05-01T00:00:00.000Z"},
      {2024, 2, 28, 23, 59, 59.9999, "2024-02-29T00:00:00.000Z"},
      {2026, 2, 28, 23, 59, 59.9999, "2026-03-01T00:00:00.000Z"},
      {2026, 12, 31, 23, 59, 59.9999, "2027-01-01T00:00:00.000Z"},
      // Years are written unpadded.
      {999, 7, 4, 1, 2, 3.5, "999-07-04T01:02:03.500Z"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TimePoint(c.y, c.mo, c.d, c.h, c.mi, c.s).ToIsoString(), c.text) << c.text;
}

TEST(TimePoint, UnixMicrosecondsAndCalendarAgree) {
  struct Case {
    int64_t us;
    const char* text;
  } cases[] = {
      {0, "1970-01-01T00:00:00.000Z"},
      {1'000'000LL * 86400 * 365 + 1'600, "1971-01-01T00:00:00.002Z"},
      {1'000'000LL * 86400 * 365 + 2'400, "1971-01-01T00:00:00.002Z"},
      {-1'000'000, "1969-12-31T23:59:59.000Z"},
      {1'796'846'703'250'000LL, "2026-12-09T20:05:03.250Z"},
  };
  for (const Case& c : cases) EXPECT_EQ(TimePoint::FromUnixMicroseconds(c.us).ToIsoString(), c.text) << c.us;
  TimePoint t(2026, 12, 9);
  EXPECT_EQ(t.Year(), 2026);
  EXPECT_EQ(t.Month(), 12);
  EXPECT_EQ(t.Day(), 9);
  EXPECT_EQ(t.DayFraction(), 0.0);
}

TEST(TimePoint, ConversionOptions) {
  TimePoint t(2026, 12, 9, 17, 45, 3.25);
  struct Case {
    ISO8601ConversionOptions options;
    const char* text;
  } cases[] = {
      {{0, 3, true, true}, "2026-12-09"},
      {{1, 3, true, true}, "2026-12-09T17Z"},
      {{2, 3, true, true}, "2026-12-09T17:45Z"},
      {{3, 0, true, true}, "2026-12-09T17:45:03Z"},
      {{3, 2, false, true}, "2026-12-09T17:45:03.25"},
      {{3, 3, true, false}, "2026-12-09T17:45:03.250+00:00"},
  };
  for (const Case& c : cases) EXPECT_EQ(t.ToIsoString(c.options), c.text) << c.text;
  EXPECT_EQ(t.ToString(), String("2026-12-09T17:45:03.250Z"));
}

TEST(TimePoint, NowIsTheSystemClockInUTC) {
  auto before = std::chrono::system_clock::now();
  TimePoint now = TimePoint::Now();
  std::string text = now.ToIsoString().Str();
  EXPECT_TRUE(std::regex_match(text, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z)"))) << text;
  int64_t us = std::chrono::duration_cast<std::chrono::microseconds>(before.time_since_epoch()).count();
  TimePoint earlier = TimePoint::FromUnixMicroseconds(us);
  // Same day (or the next one, right at midnight) and not before.
  double dayDelta = (now.DayFraction() - earlier.DayFraction());
  EXPECT_TRUE((dayDelta >= 0 && dayDelta < 1e-4) || (dayDelta < -0.999)) << dayDelta;
}

}  // namespace
}  // namespace px
