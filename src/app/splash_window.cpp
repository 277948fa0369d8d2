#include "app/splash_window.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "gui/album/book_pictures.h"
#include "gui/platform/dib_painter.h"

namespace lumora {

SplashWindow* SplashWindow::Create(QWidget* parent)
{
    QImage picture = DIBToQImage(ReadProgramPicture(11));
    if (picture.isNull())
        return nullptr;
    return new SplashWindow(std::move(picture), parent);
}

SplashWindow::SplashWindow(QImage picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(std::move(picture))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(550, 191);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
    QTimer::singleShot(kShowMilliseconds, this, &QWidget::close);
    // Any key or click anywhere in the program closes it.
    qApp->installEventFilter(this);
}

void SplashWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

bool SplashWindow::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
        qApp->removeEventFilter(this);
        close();
        break;
    default:
        break;
    }
    return false;
}

}  // namespace lumora
