#pragma once
// The start-up picture: a 550 x 191 window centred on the screen, closed by
// the first key or click, or after four seconds.
#include <QImage>
#include <QWidget>

namespace lumora {

class SplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 4000;

    // Nothing is shown when the picture cannot be read.
    static SplashWindow* Create(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit SplashWindow(QImage picture, QWidget* parent);

    QImage picture_;
};

}  // namespace lumora
