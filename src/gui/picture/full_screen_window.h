#pragma once
// The full-screen picture window: the picture on a black screen at the scale
// it is handed with (fitted to the screen, its natural size, or the zoom of
// its window), centred when it is smaller, scrolled by keys when it is larger.
// Any other key or a click closes it. While it is shown, keys meant for the
// program's other windows are swallowed.
#include <QImage>
#include <QWidget>

namespace lumora {

class FullScreenWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPageScroll = 240;
    static constexpr int kLineScroll = 10;

    // The one window of the main window `owner`, made on first use.
    static FullScreenWindow& Of(QWidget& owner);
    // True while a full-screen window is shown.
    static bool IsActive();

    explicit FullScreenWindow(QWidget* owner);
    ~FullScreenWindow() override;

    // Hands over the picture (scroll offsets back to 0), shown `scale`
    // times its size in logical pixels, and covers the screen of the owner.
    // A reduced picture is made once, smoothly, at the screen's device
    // pixels.
    void ShowPicture(const QImage& picture, double scale = 1.0);
    // The picture's size on the screen, in logical pixels.
    QSize ShownSize() const;
    void ClosePicture();

    const QImage& Image() const { return picture_; }
    QPoint ScrollOffset() const { return scroll_; }
    // The offsets as painted: the visible part stays inside the picture.
    QPoint ClampedScroll() const;
    // Where the picture's top-left corner lies when it is smaller.
    QPoint PictureOrigin() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ScrollBy(int dx, int dy);

    QImage picture_;
    double scale_ = 1.0;
    QPoint scroll_;
    bool shown_ = false;
};

// The scale F9 shows a picture at on a screen of `screen` logical pixels:
// the zoom of its window when the user zoomed in there (`windowZoom` above
// 0), else its natural size with the "taille réelle" preference, else
// reduced to fit the screen when it is larger (the slideshow's rule).
double FullScreenScale(QSize picture, QSize screen, bool realSize, double windowZoom);

}  // namespace lumora
