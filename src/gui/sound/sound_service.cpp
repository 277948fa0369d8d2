#include "gui/sound/sound_service.h"

#include <QCoreApplication>
#include <QMetaObject>

#include "core/platform/sdl_sound_player.h"

namespace lumora {

std::unique_ptr<SoundPlayer> MakeEventLoopSoundPlayer()
{
    return std::make_unique<SdlSoundPlayer>([](std::function<void()> task) {
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, std::move(task), Qt::QueuedConnection);
    });
}

}  // namespace lumora
