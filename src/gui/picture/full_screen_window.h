#pragma once
// The full-screen picture window: the picture at its natural size on a black
// screen, centred when it is smaller, scrolled by keys when it is larger.
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

    // Hands over the picture (scroll offsets back to 0) and covers the
    // screen of the owner.
    void ShowPicture(const QImage& picture);
    void ClosePicture();

    const QImage& Picture() const { return picture_; }
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
    QPoint scroll_;
    bool shown_ = false;
};

}  // namespace lumora
