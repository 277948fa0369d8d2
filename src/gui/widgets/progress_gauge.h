#pragma once
// The status bar's progress gauge: twenty blocks, filled from the left as a
// long operation advances.
#include <QPixmap>
#include <QWidget>

namespace lumora {

class ProgressGauge : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBlocks = 20;
    static constexpr int kCellWidth = 10;
    static constexpr int kCellHeight = 9;
    static constexpr int kPaneWidth = 203;

    explicit ProgressGauge(QWidget* parent = nullptr);

    // Blocks filled for `current` of `total`: current x 20 / total.
    static int BlocksFor(unsigned current, unsigned total);

    void Begin();
    // Repaints only when the number of filled blocks changes.
    void SetProgress(unsigned current, unsigned total);
    void End();

    bool IsRunning() const { return running_; }
    int FilledBlocks() const { return filled_; }
    int RepaintCount() const { return repaints_; }

    // What the pane shows while no operation runs (the album's location).
    void SetText(const QString& text);
    const QString& Text() const { return text_; }

    // Cells side by side: the filled one at (0, 0), the empty one at (10, 0).
    void SetCellBitmap(const QPixmap& cells) { cells_ = cells; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Redraw();

    QPixmap cells_;
    QString text_;
    bool running_ = false;
    int filled_ = 0;
    int repaints_ = 0;
};

}  // namespace lumora
