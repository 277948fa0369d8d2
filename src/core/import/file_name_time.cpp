#include "core/import/file_name_time.h"

namespace lumora {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the name from left to right, one field at a time.
class NameCursor {
public:
    NameCursor(std::string_view name, size_t at) : name_(name), at_(at) {}

    std::optional<int> Number(size_t digits)
    {
        if (at_ + digits > name_.size())
            return std::nullopt;
        int value = 0;
        for (size_t i = 0; i < digits; ++i) {
            if (!IsDigit(name_[at_ + i]))
                return std::nullopt;
            value = value * 10 + (name_[at_ + i] - '0');
        }
        at_ += digits;
        return value;
    }
    // Skips one separator of `allowed`; true when one was there.
    bool Separator(std::string_view allowed)
    {
        if (at_ < name_.size() && allowed.find(name_[at_]) != std::string_view::npos) {
            ++at_;
            return true;
        }
        return false;
    }
    std::string_view DigitRun()
    {
        const size_t start = at_;
        while (at_ < name_.size() && IsDigit(name_[at_]))
            ++at_;
        return name_.substr(start, at_ - start);
    }
    bool AtDigit() const { return at_ < name_.size() && IsDigit(name_[at_]); }
    size_t Position() const { return at_; }
    void MoveTo(size_t at) { at_ = at; }

private:
    std::string_view name_;
    size_t at_;
};

constexpr std::string_view kDateSeparators = "-_.";
constexpr std::string_view kDateTimeSeparators = " _T-.";
constexpr std::string_view kTimeSeparators = "-_.:h";

struct TimeOfDay {
    int hour = 0, minute = 0, second = 0, micros = 0;
};

// HHMMSS or HH.MM.SS (one separator kind throughout), then an optional
// fraction: PXL's milliseconds run straight on, others follow a dot.
std::optional<TimeOfDay> ReadTime(NameCursor& cursor)
{
    const auto hour = cursor.Number(2);
    if (!hour)
        return std::nullopt;
    const bool separated = cursor.Separator(kTimeSeparators);
    const auto minute = cursor.Number(2);
    if (!minute || cursor.Separator(kTimeSeparators) != separated)
        return std::nullopt;
    const auto second = cursor.Number(2);
    if (!second)
        return std::nullopt;
    TimeOfDay time{*hour, *minute, *second, 0};
    const size_t beforeFraction = cursor.Position();
    if (!separated || cursor.Separator(".")) {
        const std::string_view fraction = cursor.DigitRun();
        if (fraction.size() > 9)
            return std::nullopt;  // more digits: not a time after all
        time.micros = FractionToMicros(fraction).value_or(0);
        if (fraction.empty())
            cursor.MoveTo(beforeFraction);
    }
    if (cursor.AtDigit())
        return std::nullopt;
    return time;
}

std::optional<CaptureTime> DateTimeAt(std::string_view name, size_t at)
{
    NameCursor cursor(name, at);
    const auto year = cursor.Number(4);
    if (!year || *year < 1970 || *year > 2099)
        return std::nullopt;
    const bool separated = cursor.Separator(kDateSeparators);
    const auto month = cursor.Number(2);
    if (!month || cursor.Separator(kDateSeparators) != separated)
        return std::nullopt;
    const auto day = cursor.Number(2);
    if (!day)
        return std::nullopt;
    const size_t afterDate = cursor.Position();
    std::optional<TimeOfDay> time;
    if (cursor.Separator(kDateTimeSeparators) || cursor.AtDigit())
        time = ReadTime(cursor);
    if (!time) {
        cursor.MoveTo(afterDate);
        if (cursor.AtDigit())
            return std::nullopt;  // a longer number, not a date
        time = TimeOfDay{};
    }
    return MakeCaptureTime(*year, *month, *day, time->hour, time->minute, time->second, time->micros);
}

}  // namespace

std::optional<CaptureTime> CaptureTimeFromFileName(std::string_view name)
{
    for (size_t at = 0; at < name.size(); ++at) {
        if (!IsDigit(name[at]) || (at > 0 && IsDigit(name[at - 1])))
            continue;
        if (const auto time = DateTimeAt(name, at))
            return time;
    }
    return std::nullopt;
}

}  // namespace lumora
