#include "gui/platform/command_host.h"

#include <QWidget>

namespace lumora {

CommandHost* HostOf(const QWidget* widget)
{
    return widget ? dynamic_cast<CommandHost*>(widget->window()) : nullptr;
}

}  // namespace lumora
