#pragma once
// The slideshow: an album's photos one at a time on a black screen, driven
// by keys and the floating palette (manual) or by a one-second timer
// (automatic). While it runs, keys meant for any other window are dropped.
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/preferences.h"
#include "core/slideshow/slideshow_sequence.h"
#include "gui/slideshow/slide_loader.h"

namespace lumora {

class AlbumDocument;
class CommandHost;
class SlideshowPalette;

class SlideshowWindow : public QWidget {
    Q_OBJECT
public:
    // A show of `album` with the slideshow preferences of `prefs`, full
    // screen on the screen of `owner` (or on `screen` when given).
    SlideshowWindow(std::shared_ptr<AlbumDocument> album, const Preferences& prefs, QWidget* owner,
                    QRect screen = {});
    ~SlideshowWindow() override;

    // True while a slideshow window exists.
    static bool IsRunning();

    // Shows the window and the first photo.
    void Start();

    // The five palette commands.
    void Quit();
    void First();
    void Previous();
    void Next();
    void Last();

    const SlideshowSequence& Sequence() const { return sequence_; }
    SlideshowPalette* Palette() const { return palette_; }
    // The picture on screen (already brought within the screen).
    const QImage& Image() const { return picture_; }
    // The one-second timer's tick (tests call it directly).
    void Tick();
    // True when the photo after the current one has been read ahead.
    bool NextPrefetched() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Slide {
        bool photo = false;
        std::string image;
        std::string sound;
    };
    bool ShowPhoto(int index);
    void PrefetchAfter(int index);
    std::string ImagePathOf(int index) const;
    void UpdateButtons();
    bool BelongsToShow(QObject* object) const;

    std::shared_ptr<AlbumDocument> album_;
    std::string albumPath_;
    std::vector<Slide> slides_;
    SlideshowOptions options_;
    SlideshowSequence sequence_;
    SlidePrefetcher prefetcher_;
    QImage picture_;
    bool showing_ = false;
    QTimer timer_;
    SlideshowPalette* palette_ = nullptr;
};

// Command 32799: the options dialog, then the show of the active album.
void InstallSlideshowCommand(CommandHost& frame);

// The show after the dialog's OK: true when the window opened.
SlideshowWindow* StartSlideshow(CommandHost& frame, std::shared_ptr<AlbumDocument> album);

}  // namespace lumora
