#include "platform/file_times.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>

namespace tesmora::platform {

namespace {

using std::chrono::days;
using std::chrono::sys_days;

constexpr long long kSecondsPerDay = 24 * 60 * 60;

std::chrono::year_month_day ToCalendar(const CalendarDate& date) {
  return std::chrono::year{date.year} / std::chrono::month{static_cast<unsigned>(date.month)} /
         std::chrono::day{static_cast<unsigned>(date.day)};
}

// Floor division, so that times before 1970 land on the right day.
long long FloorDiv(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

CalendarDate CalendarDateOf(std::chrono::sys_seconds time) {
  // floor, so that times before 1970 land on the right day.
  const std::chrono::year_month_day ymd{std::chrono::floor<days>(time)};
  return CalendarDate{static_cast<int>(ymd.year()),
                      static_cast<int>(static_cast<unsigned>(ymd.month())),
                      static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

bool IsValidDate(const CalendarDate& date) {
  if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31) return false;
  return ToCalendar(date).ok();
}

std::optional<CalendarDate> ReadFileDate(const std::string& path, FileTimeKind /*kind*/) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return CalendarDateOf(std::chrono::sys_seconds(std::chrono::seconds(info.st_mtim.tv_sec)));
}

bool SetFileCreationDate(const std::string& path, const CalendarDate& date) {
  if (!IsValidDate(date)) return false;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  const long long secondOfDay =
      info.st_mtim.tv_sec - FloorDiv(info.st_mtim.tv_sec, kSecondsPerDay) * kSecondsPerDay;
  const long long dayNumber = sys_days{ToCalendar(date)}.time_since_epoch().count();

  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;  // access time stays as it is
  times[1].tv_sec = static_cast<time_t>(dayNumber * kSecondsPerDay + secondOfDay);
  times[1].tv_nsec = info.st_mtim.tv_nsec;
  return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

}  // namespace tesmora::platform
