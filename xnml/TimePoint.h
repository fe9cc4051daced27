// A UTC instant with microsecond resolution, and its ISO 8601 text as used
// for XNML creation times (e.g. 2026-12-09T17:45:03.250Z).
#ifndef TRVX_XNML_TIMEPOINT_H
#define TRVX_XNML_TIMEPOINT_H

#include <cstdint>

#include "core/IsoString.h"
#include "core/String.h"

namespace px {

// How TimePoint::ToString() writes the time of day.
struct ISO8601ConversionOptions {
  // 0: date only; 1: hours; 2: hours:minutes; 3: hours:minutes:seconds.
  unsigned timeItems = 3;
  // Decimals of the seconds (at most 9).
  unsigned precision = 3;
  // Append a time zone designator after the time.
  bool timeZone = true;
  // Write the UTC designator as "Z" instead of "+00:00".
  bool zuluTime = true;

  ISO8601ConversionOptions(unsigned items = 3, unsigned decimals = 3, bool zone = true, bool zulu = true)
      : timeItems(items), precision(decimals), timeZone(zone), zuluTime(zulu) {}
};

// Value type; thread-safe to copy and read.
class TimePoint {
 public:
  // 1970-01-01T00:00:00Z.
  TimePoint() = default;
  // A UTC calendar date and a time of day. Out-of-range times of day carry
  // into neighbouring days. REQUIRES: a valid Gregorian date.
  TimePoint(int year, int month, int day, int hour = 0, int minute = 0, double seconds = 0);
  // Microseconds since 1970-01-01T00:00:00Z.
  static TimePoint FromUnixMicroseconds(int64_t microseconds);
  // The system clock, in UTC, with microsecond resolution.
  static TimePoint Now();

  int Year() const;
  int Month() const;
  int Day() const;
  // Fraction of the UTC day elapsed since midnight, in [0, 1).
  double DayFraction() const { return fraction_; }

  // The date as "%d-%02d-%02d", then per `options` "T", hours, minutes and
  // seconds ("%02d", ":%02d", ":%0*.*f") and the zone. Hours, minutes and
  // seconds are taken in turn from the day fraction; seconds are rounded to
  // the given decimals (ties to even), and 60 seconds, 60 minutes and 24
  // hours carry into the next minute, hour and day. Fewer time items
  // truncate the remaining ones. Independent of the process locale.
  IsoString ToIsoString(const ISO8601ConversionOptions& options = ISO8601ConversionOptions()) const;
  String ToString(const ISO8601ConversionOptions& options = ISO8601ConversionOptions()) const {
    return String(ToIsoString(options));
  }

 private:
  TimePoint(int64_t days, double fraction) : days_(days), fraction_(fraction) {}
  int64_t days_ = 0;      // days since 1970-01-01
  double fraction_ = 0;   // of the day, in [0, 1)
};

}  // namespace px

#endif
