#include "gui/album/album_zoom.h"

#include "gui/album/album_command_support.h"
#include "gui/platform/commands.h"

namespace lumora {

void InstallAlbumZoomCommands(CommandHost& frame)
{
    auto on = [&frame](auto action) { return OnActiveAlbum(frame, action); };
    auto when = [&frame](auto test) { return WhenActiveAlbum(frame, test); };
    frame.SetCommandHandler(
        kCmdZoomFit, on([](AlbumView& v) { v.SetZoom({true, v.Zoom().zoom}); }),
        when([](const AlbumView& v) { return !v.Zoom().fit; }));
    frame.SetCommandHandler(
        kCmdZoomClassic, on([](AlbumView& v) { v.SetZoom({false, 1.0}); }),
        when([](const AlbumView& v) { return v.Zoom().fit || v.Zoom().zoom != 1.0; }));
    frame.SetCommandHandler(kCmdZoomIn, on([](AlbumView& v) { v.ZoomIn(); }),
                            when([](const AlbumView& v) { return v.ZoomNow() < kLargestZoom; }));
    frame.SetCommandHandler(kCmdZoomOut, on([](AlbumView& v) { v.ZoomOut(); }),
                            when([](const AlbumView& v) { return v.ZoomNow() > kSmallestZoom; }));
}

}  // namespace lumora
