#include "core/import/day_names.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace lumora {
namespace {

constexpr std::array<const char*, 7> kWeekdays = {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};
constexpr std::array<const char*, 12> kMonths = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                                                 "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
constexpr std::array<const char*, 12> kShortMonths = {"janv.", "févr.", "mars", "avr.", "mai",  "juin",
                                                      "juil.", "août",  "sept.", "oct.", "nov.", "déc."};

std::string TwoDigits(int value)
{
    return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

// Arial's advance widths in font units (2048 to the em).
int ArialAdvance(char32_t c)
{
    switch (c) {
    case ' ': case '.': case '/': case 'f': case 't': return 569;
    case 'i': case 'j': case 'l': return 455;
    case 'r': return 682;
    case 'm': return 1706;
    case 'c': case 'k': case 's': case 'v': case 'x': case 'y': case 'z': return 1024;
    case 'w': return 1479;
    default: return 1139;  // digits, the other lower-case letters, é, û
    }
}

// The characters of a UTF-8 string (invalid bytes each count as one).
std::vector<char32_t> CodePoints(std::string_view text)
{
    std::vector<char32_t> out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<uint8_t>(text[i]);
        const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 1;
        if (length == 1 || i + length > text.size()) {
            out.push_back(lead);
            ++i;
            continue;
        }
        char32_t c = lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
            c = c << 6 | (static_cast<uint8_t>(text[i + k]) & 0x3F);
        out.push_back(c);
        i += length;
    }
    return out;
}

}  // namespace

std::vector<std::string> DayNameForms(CaptureTime day)
{
    const CivilDate date = DateOf(day);
    const std::string weekday = kWeekdays[static_cast<size_t>(WeekdayOf(day))];
    const std::string number = std::to_string(date.day);
    const std::string year = std::to_string(date.year);
    const std::string month = kMonths[static_cast<size_t>(date.month - 1)];
    const std::string shortMonth = kShortMonths[static_cast<size_t>(date.month - 1)];
    return {weekday + " " + number + " " + month + " " + year, weekday + " " + number + " " + shortMonth + " " + year,
            number + " " + shortMonth + " " + year, number + " " + shortMonth,
            TwoDigits(date.day) + "/" + TwoDigits(date.month)};
}

size_t CommonDayNameForm(const std::vector<CaptureTime>& days, const TabNameFits& fits)
{
    for (size_t form = 0; form + 1 < kDayNameFormCount; ++form)
        if (std::all_of(days.begin(), days.end(), [&](CaptureTime day) { return fits(DayNameForms(day)[form]); }))
            return form;
    return kDayNameFormCount - 1;
}

std::string DayTabName(CaptureTime day, const TabNameFits& fits)
{
    const auto forms = DayNameForms(day);
    for (const std::string& form : forms)
        if (fits(form))
            return form;
    return forms.back();
}

int TabTextWidth(const std::string& utf8)
{
    constexpr double kPixelsPerUnit = 11.0 / 2048.0;  // an 11-pixel em
    int width = 0;
    for (const char32_t c : CodePoints(utf8))
        width += static_cast<int>(std::lround(ArialAdvance(c) * kPixelsPerUnit));
    return width;
}

bool FitsTabByWidth(const std::string& name) { return TabTextWidth(name) <= kTabTextLength; }

}  // namespace lumora
