#include "core/formats/pcd/pcd_errors.h"

#include <algorithm>
#include <cstdio>

#include "core/platform/services.h"

namespace lumora {

void ReportPcdError(int code, int line)
{
    if (code == 0)
        return;
    char text[96];
    std::snprintf(text, sizeof text, "CORVANT-Error #%04d in PCD routine : line %d\n", code, line);
    CurrentErrorReporter().ShowMessage(text, "Error", MessageIcon::Stop);
}

namespace pcd {

void PcdErrorLog::Raise(int code, int line)
{
    if (code == kPcdErrNone)
        return;
    last_ = code;
    codes_.push_back(code);
    ReportPcdError(code, line);
}

bool PcdErrorLog::Has(int code) const
{
    return std::find(codes_.begin(), codes_.end(), code) != codes_.end();
}

}  // namespace pcd
}  // namespace lumora
