#include "core/album/load_progress.h"

#include <algorithm>

#include "core/platform/services.h"

namespace lumora {

AlbumLoadProgress& LoadProgress()
{
    static AlbumLoadProgress progress;
    return progress;
}

void AdvanceLoadProgress()
{
    AlbumLoadProgress& p = LoadProgress();
    ++p.counter;
    const long done = p.counter;
    CurrentProgressSink().SetProgress(done, std::max<long>({done, p.total, 1}));
}

}  // namespace lumora
