#include "core/formats/pcd/pcd_errors.h"

#include <algorithm>


namespace lumora {

namespace pcd {

void PcdErrorLog::Raise(int code)
{
    if (code == kPcdErrNone)
        return;
    last_ = code;
    codes_.push_back(code);
}

bool PcdErrorLog::Has(int code) const
{
    return std::find(codes_.begin(), codes_.end(), code) != codes_.end();
}

}  // namespace pcd
}  // namespace lumora
