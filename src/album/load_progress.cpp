#include "album/load_progress.h"

#include <algorithm>

#include "platform/user_interface.h"

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
