#include "core/import/capture_time.h"

#include <algorithm>
#include <ctime>

namespace lumora {
namespace {

// Days from 1970-01-01 to y-m-d of the proleptic Gregorian calendar
// (H. Hinnant's algorithm), valid for every year we accept.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

CivilDate CivilFromDays(int64_t z)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400 + (m <= 2);
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

std::optional<CaptureTime> MakeCaptureTime(int year, int month, int day, int hour, int minute,
                                           int second, int micros)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60 ||
        micros < 0 || micros > 999'999)
        return std::nullopt;
    if (second == 60)
        second = 59;
    const int64_t days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    const int64_t seconds = days * 86400 + hour * 3600 + minute * 60 + second;
    return seconds * 1'000'000 + micros;
}

int64_t DayNumber(CaptureTime time) { return FloorDiv(time, kMicrosPerDay); }

CivilDate DateOf(CaptureTime time) { return CivilFromDays(DayNumber(time)); }

int WeekdayOf(CaptureTime time)
{
    // 1970-01-01 was a Thursday.
    const int64_t weekday = (DayNumber(time) + 4) % 7;
    return static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
}

std::optional<int> FractionToMicros(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    int micros = 0, scale = 100'000;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        micros += (c - '0') * scale;
        scale /= 10;
    }
    return micros;
}

CaptureTime LocalCaptureTime(int64_t epochSeconds, int64_t nanoseconds)
{
    const std::time_t seconds = static_cast<std::time_t>(epochSeconds);
    std::tm local {};
    if (!localtime_r(&seconds, &local))
        return epochSeconds * 1'000'000 + nanoseconds / 1000;
    const int64_t days = DaysFromCivil(local.tm_year + 1900LL, static_cast<unsigned>(local.tm_mon + 1),
                                       static_cast<unsigned>(local.tm_mday));
    const int64_t wall = days * 86400 + local.tm_hour * 3600 + local.tm_min * 60 + std::min(local.tm_sec, 59);
    return wall * 1'000'000 + nanoseconds / 1000;
}

}  // namespace lumora
