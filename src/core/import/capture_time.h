#pragma once
// When a photo was taken, as the camera's clock said it: a calendar date and
// a wall-clock time with no time zone, counted in microseconds from
// 1970-01-01 00:00:00 of that same clock. Cameras record local time without
// a zone, so file times are brought to the local wall clock before they are
// compared with them.
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumora {

using CaptureTime = int64_t;  // microseconds of local wall-clock time

constexpr int64_t kMicrosPerDay = 86'400'000'000;

struct CivilDate {
    int year = 1970, month = 1, day = 1;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Null for a date that is not on the calendar (31 April, 29 February 2023)
// or a time out of range (hour 24, minute 60; second 60 is taken as a leap
// second and kept as 59).
std::optional<CaptureTime> MakeCaptureTime(int year, int month, int day, int hour, int minute,
                                           int second, int micros = 0);

// The day a time falls on, and its weekday (0 Sunday ... 6 Saturday).
CivilDate DateOf(CaptureTime time);
int WeekdayOf(CaptureTime time);
// The day's number, for grouping: equal for two times of the same date.
int64_t DayNumber(CaptureTime time);

// Digits after a decimal point ("5" = 500 ms, "123456789" cut to
// microseconds) as microseconds; null when `digits` is empty or holds
// anything but digits.
std::optional<int> FractionToMicros(std::string_view digits);

// A file's modification time (seconds and nanoseconds since the epoch, UTC)
// on this machine's local wall clock.
CaptureTime LocalCaptureTime(int64_t epochSeconds, int64_t nanoseconds);

}  // namespace lumora
