#include "xnml/TimePoint.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace px {

namespace {

// Proleptic Gregorian calendar <-> days since 1970-01-01.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  unsigned yoe = unsigned(y - era * 400);
  unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + int64_t(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  unsigned doe = unsigned(z - era * 146097);
  unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t y = int64_t(yoe) + era * 400;
  unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  unsigned mp = (5 * doy + 2) / 153;
  day = int(doy - (153 * mp + 2) / 5 + 1);
  month = int(mp < 10 ? mp + 3 : mp - 9);
  year = int(y + (month <= 2));
}

}  // namespace

TimePoint::TimePoint(int year, int month, int day, int hour, int minute, double seconds) {
  double f = (hour * 3600.0 + minute * 60.0 + seconds) / 86400.0;
  double whole = std::floor(f);
  days_ = DaysFromCivil(year, unsigned(month), unsigned(day)) + int64_t(whole);
  fraction_ = f - whole;
}

TimePoint TimePoint::FromUnixMicroseconds(int64_t us) {
  constexpr int64_t kDay = 86400LL * 1000000LL;
  int64_t days = us / kDay, rest = us % kDay;
  if (rest < 0) rest += kDay, --days;
  return TimePoint(days, double(rest) / double(kDay));
}

TimePoint TimePoint::Now() {
  auto now = std::chrono::system_clock::now();
  return FromUnixMicroseconds(std::chrono::duration_cast<std::chrono::microseconds>(now.time_since_epoch()).count());
}

int TimePoint::Year() const {
  int y, m, d;
  CivilFromDays(days_, y, m, d);
  return y;
}

int TimePoint::Month() const {
  int y, m, d;
  CivilFromDays(days_, y, m, d);
  return m;
}

int TimePoint::Day() const {
  int y, m, d;
  CivilFromDays(days_, y, m, d);
  return d;
}

IsoString TimePoint::ToIsoString(const ISO8601ConversionOptions& options) const {
  unsigned items = options.timeItems > 3 ? 3 : options.timeItems;
  unsigned precision = options.precision > 9 ? 9 : options.precision;

  double f = fraction_ * 24;
  int hours = int(f);
  f = (f - hours) * 60;
  int minutes = int(f);
  double seconds = (f - minutes) * 60;

  int64_t scale = 1;
  for (unsigned i = 0; i < precision; ++i) scale *= 10;
  // Whole units of 10^-precision s; nearbyint rounds ties to even.
  int64_t ticks = int64_t(std::nearbyint(seconds * double(scale)));
  if (items >= 3 && ticks >= 60 * scale) ticks -= 60 * scale, ++minutes;
  if (minutes >= 60) minutes -= 60, ++hours;
  int64_t days = days_;
  if (hours >= 24) hours -= 24, ++days;

  int year, month, day;
  CivilFromDays(days, year, month, day);
  char buffer[96];
  int n = std::snprintf(buffer, sizeof buffer, "%d-%02d-%02d", year, month, day);
  if (items >= 1) n += std::snprintf(buffer + n, sizeof buffer - n, "T%02d", hours);
  if (items >= 2) n += std::snprintf(buffer + n, sizeof buffer - n, ":%02d", minutes);
  if (items >= 3) {
    // "%0*.*f" written from integers, so no locale can change the decimal point.
    n += std::snprintf(buffer + n, sizeof buffer - n, ":%02lld", (long long)(ticks / scale));
    if (precision > 0)
      n += std::snprintf(buffer + n, sizeof buffer - n, ".%0*lld", int(precision), (long long)(ticks % scale));
  }
  if (items >= 1 && options.timeZone)
    n += std::snprintf(buffer + n, sizeof buffer - n, "%s", options.zuluTime ? "Z" : "+00:00");
  return IsoString(buffer, size_t(n));
}

}  // namespace px
