#include "gui/album/gauge_insert_progress.h"

#include <QApplication>
#include <QKeyEvent>

#include "gui/platform/command_host.h"

namespace lumora {

GaugeInsertProgress::GaugeInsertProgress(CommandHost& frame) : frame_(frame)
{
    qApp->installEventFilter(this);
}

GaugeInsertProgress::~GaugeInsertProgress()
{
    qApp->removeEventFilter(this);
}

void GaugeInsertProgress::Step(int done, int total)
{
    frame_.SetProgress(static_cast<unsigned>(done), static_cast<unsigned>(total));
}

void GaugeInsertProgress::Idle()
{
    // Only while pumping: a message box or the load-error dialog opened
    // between photos takes its input as usual.
    pumping_ = true;
    QApplication::processEvents();
    pumping_ = false;
}

ParallelHooks GaugeInsertProgress::Hooks()
{
    ParallelHooks hooks;
    hooks.cancelled = [this] { return cancelled_; };
    hooks.idle = [this] { Idle(); };
    return hooks;
}

bool GaugeInsertProgress::eventFilter(QObject* watched, QEvent* event)
{
    if (!pumping_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            cancelled_ = true;
        return true;
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Close:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::ContextMenu:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

}  // namespace lumora
