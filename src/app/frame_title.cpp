#include "app/frame_title.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <QTranslator>

namespace lumora {
namespace {

const QString kProgramTitle = QStringLiteral("Lumora");

// A maximised sub-window writes its own title into the main window's, in
// brackets; worded like ours, the two never disagree.
class SubWindowTitleWording final : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (qstrcmp(context, "QMdiSubWindow") != 0)
            return {};
        if (qstrcmp(source, "%1 - [%2]") == 0)
            return QStringLiteral("%1 - %2");
        if (qstrcmp(source, "- [%1]") == 0)
            return QStringLiteral("- %1");
        return {};
    }
};

class FrameTitle final : public QObject {
public:
    FrameTitle(QMainWindow& frame, QMdiArea& area) : QObject(&frame), frame_(frame), area_(area)
    {
        // Installed last, asked first: before Qt's French catalogue.
        QCoreApplication::installTranslator(new SubWindowTitleWording(this));
        connect(&area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
            if (window)
                window->installEventFilter(this);
            Retitle();
        });
        Retitle();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::WindowStateChange:
        case QEvent::WindowTitleChange:
        case QEvent::ModifiedChange:
            // After the sub-window has done its own part of the change.
            QTimer::singleShot(0, this, [this] { Retitle(); });
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Retitle()
    {
        const QMdiSubWindow* active = area_.activeSubWindow();
        if (active && active->isMaximized() && !active->windowTitle().isEmpty()) {
            frame_.setWindowTitle(kProgramTitle + QStringLiteral(" - ") + active->windowTitle());
            frame_.setWindowModified(active->isWindowModified());
        } else {
            frame_.setWindowTitle(kProgramTitle);
            frame_.setWindowModified(false);
        }
    }

    QMainWindow& frame_;
    QMdiArea& area_;
};

}  // namespace

void KeepFrameTitle(QMainWindow& frame, QMdiArea& area) { new FrameTitle(frame, area); }

}  // namespace lumora
