#pragma once
// The French names of the days that start an imported album's sections:
// "sam. 14 juin 2025", shortened until it fits on a tab.
#include <functional>
#include <string>
#include <vector>

#include "core/import/capture_time.h"

namespace lumora {

// The forms of a day's name from the longest to the shortest, always
// kDayNameFormCount of them (a month without a shorter name repeats):
// "mer. 24 septembre 2025", "mer. 24 sept. 2025", "24 sept. 2025",
// "24 sept.", "24/09".
constexpr size_t kDayNameFormCount = 5;
std::vector<std::string> DayNameForms(CaptureTime day);

// True when a tab name fits its tab.
using TabNameFits = std::function<bool(const std::string&)>;

// The longest form that fits (the shortest when none does).
std::string DayTabName(CaptureTime day, const TabNameFits& fits);
// The longest form in which every one of `days` fits, so that an album's
// tabs all read alike; the shortest when none does.
size_t CommonDayNameForm(const std::vector<CaptureTime>& days, const TabNameFits& fits);

// The width of a tab name in pixels in the tabs' font (Arial 8 points at
// 96 dpi, as the album view draws them), from that font's advances rounded
// to whole pixels; characters it does not list count as a digit. Tabs hold
// 80 pixels of text.
int TabTextWidth(const std::string& utf8);
constexpr int kTabTextLength = 80;
bool FitsTabByWidth(const std::string& name);

}  // namespace lumora
