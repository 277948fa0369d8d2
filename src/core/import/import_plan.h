#pragma once
// The plan of an album made from a folder: its pictures in the order they
// were taken, and with sections by day the first picture of each day and
// the tab name it gets.
#include <optional>
#include <string>
#include <vector>

#include "core/import/capture_time.h"
#include "core/import/day_names.h"

namespace lumora {

// Where a picture's time came from, in the order they are trusted.
enum class TimeSource { Embedded, FileName, FileTime };

// What is known of one picture file before anything is decoded.
struct ImportCandidate {
    std::string path;
    std::string name;  // the file name, the tie-breaker
    std::optional<CaptureTime> embedded;  // EXIF DateTimeOriginal
    std::optional<CaptureTime> fromName;  // a date written in the name
    CaptureTime fileTime = 0;             // modification time, local clock
};

struct PlannedPicture {
    std::string path;
    CaptureTime time = 0;
    TimeSource source = TimeSource::FileTime;
};

struct PlannedSection {
    size_t first = 0;  // index into the plan's pictures
    std::string tabName;
};

struct ImportPlan {
    std::string title;
    std::vector<PlannedPicture> pictures;
    std::vector<PlannedSection> sections;  // empty without sections by day
};

// The time a picture is sorted by: the embedded one, else the name's, else
// the file's.
PlannedPicture ChooseTime(const ImportCandidate& candidate);

// Pictures sorted by time, equal times by file name (then path); with
// `byDay`, a section for each calendar day, every tab named in the longest
// form that `fits` all of them (see CommonDayNameForm).
ImportPlan PlanImport(std::string title, const std::vector<ImportCandidate>& candidates, bool byDay,
                      const TabNameFits& fits);

}  // namespace lumora
