#pragma once
// The view of a picture window: the picture fitted to the window when it is
// larger (the default), or zoomed by steps and scrolled, centred on the
// viewer colour when smaller than the window, and copying to the clipboard
// (printing: picture_printing.h).
#include <QAbstractScrollArea>
#include <QImage>
#include <functional>
#include <memory>

#include "core/picture_document/image_document.h"

namespace lumora {

class PictureView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kZoomSteps[] = {10, 30, 50, 100, 200, 300, 400, 600};
    static constexpr int kInitialZoomIndex = 3;
    static constexpr int kLastZoomIndex = 7;
    static constexpr int kPageScroll = 240;
    static constexpr int kLineScroll = 10;

    // `background` gives the viewer colour each time the view is painted,
    // so that a change of the preferences shows at the next repaint.
    PictureView(std::shared_ptr<PictureDocument> document, std::function<QColor()> background,
             QWidget* parent = nullptr);

    PictureDocument& Document() const { return *document_; }

    // The zoom shown: while fitted, the largest percentage at which the
    // whole picture shows in the window, 100 for a picture that fits.
    int ZoomPercent() const;
    bool IsFitted() const { return fitted_; }
    bool CanZoomIn() const { return ZoomPercent() < kZoomSteps[kLastZoomIndex]; }
    bool CanZoomOut() const { return ZoomPercent() > kZoomSteps[0]; }
    // The next step above or below the zoom shown.
    void ZoomIn();
    void ZoomOut();
    // Back to fitted ("Ajuster à la fenêtre"), or to one step (3: 100 %).
    void ZoomToFit();
    void ZoomToStep(int index);
    // The user zoomed beyond what fitting shows.
    bool ZoomedInByUser() const { return !fitted_ && ZoomPercent() > FittedPercent(); }
    int FittedPercent() const;

    // The zoomed picture's size, which is also the scrolled area's size.
    QSize ScrollSize() const;
    QPoint ScrollPosition() const;
    void ScrollTo(QPoint position);
    // Where the picture's top-left corner lies in the window.
    QRect PictureRect() const;

    QString StatusText() const;
    bool CanCopy() const { return document_->HasPicture(); }
    void CopyToClipboard() const;

    // The whole window as it is painted, for tests and screenshots.
    QImage Render();

    // The picture as drawn (the display copy when there is one), upright:
    // a copy made on each call.
    QImage Image() const;
    bool HasImage() const { return !image_.isNull(); }
    const Picture& DrawnDIB() const;

signals:
    // After a zoom command: the status text changed.
    void ZoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void SetZoom(bool fitted, int index);
    void UpdateScrollSizes();
    void CloseWindow();

    std::shared_ptr<PictureDocument> document_;
    std::function<QColor()> background_;
    QImage image_;          // rows of the drawn picture
    bool bottomUp_ = false;  // image_ holds the rows bottom row first
    bool fitted_ = true;
    int zoomIndex_ = kInitialZoomIndex;  // while not fitted
};

// Where the scrolled view moves to when the zoom goes from `oldZoom` to
// `newZoom` percent so that the same picture point stays in the middle.
QPoint ZoomKeepingCentre(QPoint position, QSize client, QSize picture, int oldZoom, int newZoom);

}  // namespace lumora
