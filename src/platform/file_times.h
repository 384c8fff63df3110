#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace tesmora::platform {

struct CalendarDate {
  int year = 0;   // four digits
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  bool operator==(const CalendarDate&) const = default;
};

// Whether the date exists in the calendar (31 April or 29 February 2003 do not).
bool IsValidDate(const CalendarDate& date);

// The calendar date of a file time as stored (UTC), without conversion to
// local time.
CalendarDate CalendarDateOf(std::chrono::sys_seconds time);

enum class FileTimeKind { Creation, LastWrite };

// The calendar date of one of a file's times, as stored (UTC), without
// conversion to local time. Linux cannot record a creation time of our
// choosing, so the creation time is the modification time here: that is the
// time SetFileCreationDate sets.
std::optional<CalendarDate> ReadFileDate(const std::string& path, FileTimeKind kind);

// Gives the file the calendar date `date` as its creation time (on Linux its
// modification time), keeping the time of day it had. Returns false when the
// date does not exist or the file's times cannot be changed.
bool SetFileCreationDate(const std::string& path, const CalendarDate& date);

}  // namespace tesmora::platform
