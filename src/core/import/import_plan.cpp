#include "core/import/import_plan.h"

#include <algorithm>
#include <numeric>

namespace lumora {

PlannedPicture ChooseTime(const ImportCandidate& candidate)
{
    if (candidate.embedded)
        return {candidate.path, *candidate.embedded, TimeSource::Embedded};
    if (candidate.fromName)
        return {candidate.path, *candidate.fromName, TimeSource::FileName};
    return {candidate.path, candidate.fileTime, TimeSource::FileTime};
}

ImportPlan PlanImport(std::string title, const std::vector<ImportCandidate>& candidates, bool byDay,
                      const TabNameFits& fits)
{
    std::vector<PlannedPicture> chosen;
    chosen.reserve(candidates.size());
    for (const ImportCandidate& candidate : candidates)
        chosen.push_back(ChooseTime(candidate));
    std::vector<size_t> order(candidates.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (chosen[a].time != chosen[b].time)
            return chosen[a].time < chosen[b].time;
        if (candidates[a].name != candidates[b].name)
            return candidates[a].name < candidates[b].name;
        return candidates[a].path < candidates[b].path;
    });

    ImportPlan plan;
    plan.title = std::move(title);
    for (const size_t i : order) {
        const PlannedPicture& picture = chosen[i];
        if (byDay && (plan.pictures.empty() || DayNumber(plan.pictures.back().time) != DayNumber(picture.time)))
            plan.sections.push_back({plan.pictures.size(), {}});
        plan.pictures.push_back(picture);
    }
    // Every tab in the same form: the longest in which all the days fit.
    std::vector<CaptureTime> days;
    for (const PlannedSection& section : plan.sections)
        days.push_back(plan.pictures[section.first].time);
    const size_t form = CommonDayNameForm(days, fits);
    for (size_t s = 0; s < plan.sections.size(); ++s)
        plan.sections[s].tabName = DayNameForms(days[s])[form];
    return plan;
}

}  // namespace lumora
