#include "gui/slideshow/slideshow_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "core/album/album_document.h"
#include "core/album/find_album_file.h"
#include "core/sound/sounds.h"
#include "gui/album/album_command_support.h"
#include "gui/platform/commands.h"
#include "gui/slideshow/slideshow_options_dialog.h"
#include "gui/slideshow/slideshow_palette.h"

namespace lumora {
namespace {

int g_running = 0;

QRect ScreenOf(const QWidget* owner)
{
    const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

SlideshowOptions OptionsOf(const Preferences& prefs)
{
    return {prefs.slideshowAuto, prefs.slideshowLoop, prefs.slideshowPause, prefs.soundIsMaster};
}

// Slides are read ahead on a worker thread: the readers keep their gauge
// off; the Photo CD resolution is the user's.
ReadOptions SlideReadOptions(const Preferences& prefs)
{
    ReadOptions options = ReadOptionsFromPreferences(prefs);
    options.progress = false;
    return options;
}

bool HasPhoto(const AlbumDocument& album)
{
    for (const auto& item : album.Items())
        if (item->IsPhoto())
            return true;
    return false;
}

}  // namespace

SlideshowWindow::SlideshowWindow(std::shared_ptr<AlbumDocument> album, const Preferences& prefs, QWidget* owner,
                                 QRect screen)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint),
      album_(std::move(album)),
      albumPath_(album_->Path()),
      options_(OptionsOf(prefs)),
      sequence_({}, options_, {}),
      prefetcher_((screen.isValid() ? screen : ScreenOf(owner)).size(), prefs.slideshowRealSize,
                  SlideReadOptions(prefs))
{
    setObjectName("slideshowWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::BlankCursor);
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(screen.isValid() ? screen : ScreenOf(owner));

    // The items as they are when the show starts.
    std::vector<bool> isPhoto;
    for (const auto& item : album_->Items()) {
        slides_.push_back({item->IsPhoto(), item->imagePath, item->soundPath});
        isPhoto.push_back(item->IsPhoto());
    }
    sequence_ = SlideshowSequence(std::move(isPhoto), options_,
                                  {[this](int index) { return ShowPhoto(index); }, [] { return SoundPlaying(); }});

    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &SlideshowWindow::Tick);
    if (!options_.automatic) {
        palette_ = new SlideshowPalette(this);
        connect(palette_, &SlideshowPalette::Clicked, this, [this](int button) {
            switch (button) {
            case SlideshowPalette::Quit: Quit(); break;
            case SlideshowPalette::First: First(); break;
            case SlideshowPalette::Previous: Previous(); break;
            case SlideshowPalette::Next: Next(); break;
            case SlideshowPalette::Last: Last(); break;
            default: break;
            }
        });
        connect(palette_, &SlideshowPalette::Hidden, this, [this] { activateWindow(); });
    }
    ++g_running;
    qApp->installEventFilter(this);
}

SlideshowWindow::~SlideshowWindow()
{
    qApp->removeEventFilter(this);
    StopSound();
    timer_.stop();
    --g_running;
}

bool SlideshowWindow::IsRunning() { return g_running > 0; }

void SlideshowWindow::Start()
{
    show();
    raise();
    activateWindow();
    setFocus();
    if (palette_) {
        const QRect area = geometry();
        palette_->move(area.right() + 1 - 125, area.bottom() + 1 - 60);
        palette_->show();
    }
    timer_.start();
    sequence_.Start();
    UpdateButtons();
}

std::string SlideshowWindow::ImagePathOf(int index) const
{
    return FindAlbumImage(slides_[static_cast<size_t>(index)].image, albumPath_);
}

bool SlideshowWindow::ShowPhoto(int index)
{
    const std::string path = ImagePathOf(index);
    SlideImage slide = path.empty() ? SlideImage() : prefetcher_.Take(path);
    ShowHeldMessages(slide.messages);  // what the reader had to say, as when it read here
    const QImage picture = std::move(slide.image);
    if (picture.isNull())
        return false;  // the previous picture stays
    picture_ = picture;
    showing_ = true;
    repaint();
    if (const std::string& sound = slides_[static_cast<size_t>(index)].sound; !sound.empty()) {
        StopSound();
        PlaySoundFile(FindAlbumSound(sound, albumPath_));
    }
    PrefetchAfter(index);
    return true;
}

// Reads ahead the photo the next step in the current direction will show.
void SlideshowWindow::PrefetchAfter(int index)
{
    const int count = static_cast<int>(slides_.size());
    const int direction = sequence_.Direction();
    int next = index;
    for (int steps = 0; steps < count; ++steps) {
        next += direction;
        if (next == count && options_.automatic && options_.loop)
            next = 0;
        if (next < 0 || next >= count)
            return;
        if (slides_[static_cast<size_t>(next)].photo) {
            if (const std::string path = ImagePathOf(next); !path.empty())
                prefetcher_.Request(path);
            return;
        }
    }
}

bool SlideshowWindow::NextPrefetched() const
{
    const int count = static_cast<int>(slides_.size());
    for (int next = sequence_.Current() + 1; next < count; ++next)
        if (slides_[static_cast<size_t>(next)].photo)
            return prefetcher_.Ready(ImagePathOf(next));
    return false;
}

void SlideshowWindow::UpdateButtons()
{
    if (!palette_)
        return;
    const bool back = sequence_.CanGoBack();
    const bool forward = sequence_.CanGoForward();
    palette_->SetButtonEnabled(SlideshowPalette::First, back);
    palette_->SetButtonEnabled(SlideshowPalette::Previous, back);
    palette_->SetButtonEnabled(SlideshowPalette::Next, forward);
    palette_->SetButtonEnabled(SlideshowPalette::Last, forward);
}

void SlideshowWindow::Quit() { close(); }

// Each command gives the keyboard back to the show (after a palette click).
void SlideshowWindow::First()
{
    activateWindow();
    sequence_.First();
    UpdateButtons();
}

void SlideshowWindow::Previous()
{
    activateWindow();
    sequence_.Previous();
    UpdateButtons();
}

void SlideshowWindow::Next()
{
    activateWindow();
    sequence_.Next();
    UpdateButtons();
}

void SlideshowWindow::Last()
{
    activateWindow();
    sequence_.Last();
    UpdateButtons();
}

void SlideshowWindow::Tick()
{
    if (sequence_.Tick())
        UpdateButtons();
}

void SlideshowWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!showing_ || picture_.isNull())
        return;
    // Centred; a picture shown at its real size and larger than the screen
    // is cut on every side.
    const int x = (width() - picture_.width()) / 2;
    const int y = (height() - picture_.height()) / 2;
    painter.drawImage(x, y, picture_);
}

void SlideshowWindow::keyPressEvent(QKeyEvent* event)
{
    if (options_.automatic) {
        Quit();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        Quit();
        return;
    case Qt::Key_Space:
        if (palette_)
            palette_->setVisible(!palette_->isVisible());
        activateWindow();
        setFocus();
        break;
    case Qt::Key_End: Last(); break;
    case Qt::Key_Home: First(); break;
    case Qt::Key_Left:
    case Qt::Key_Up: Previous(); break;
    case Qt::Key_Right:
    case Qt::Key_Down: Next(); break;
    default: break;
    }
    QWidget::keyPressEvent(event);
}

void SlideshowWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || (event->button() == Qt::RightButton && options_.automatic)) {
        Quit();
        return;
    }
    QWidget::mousePressEvent(event);
}

void SlideshowWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        Quit();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

bool SlideshowWindow::BelongsToShow(QObject* object) const
{
    if (auto* widget = qobject_cast<QWidget*>(object))
        return widget == this || isAncestorOf(widget);
    if (auto* window = qobject_cast<QWindow*>(object))
        return window == windowHandle() || (palette_ && window == palette_->windowHandle());
    return true;
}

// Keys meant for any other window are dropped while the show runs.
bool SlideshowWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
        if (!BelongsToShow(watched))
            return true;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

SlideshowWindow* StartSlideshow(CommandHost& frame, std::shared_ptr<AlbumDocument> album)
{
    if (!album || !HasPhoto(*album) || SlideshowWindow::IsRunning())
        return nullptr;
    auto* window = new SlideshowWindow(std::move(album), frame.Prefs(), frame.HostWidget());
    window->Start();
    return window;
}

void InstallSlideshowCommand(CommandHost& frame)
{
    frame.SetCommandHandler(kCmdSlideshow, OnActiveAlbum(frame, [](CommandHost& f, AlbumView& view) {
                                if (!HasPhoto(view.Document()))
                                    return;
                                StopSound();
                                SlideshowOptionsDialog dialog(f.Prefs(), f.HostWidget());
                                if (dialog.exec() != QDialog::Accepted)
                                    return;
                                dialog.Apply(f.Prefs());
                                StartSlideshow(f, view.SharedDocument());
                            }),
                            WhenActiveAlbum(frame, [](const AlbumView& v) { return HasPhoto(v.Document()); }));
}

}  // namespace lumora
