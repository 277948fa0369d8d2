#pragma once
// A small floating window with a caption strip of its own: a menu box on
// the left, a roll-up arrow on the right, dragged by the strip. It rolls up
// to its strip and back down in a short animation, stays above the main
// window (not above other programs) and never takes a system caption.
#include <QMenu>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>

class QVBoxLayout;

namespace lumora {

// The 14-pixel caption strip: the caption text centred, the menu box at
// the left, the roll arrow at the right, a line along the bottom.
class RollupTitleBar final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 14;

    explicit RollupTitleBar(const QString& caption, QWidget* parent = nullptr);

    void SetRolled(bool rolled);
    void SetMenuPressed(bool pressed);
    void SetActive(bool active);

signals:
    void RollClicked();
    void MenuClicked();
    void CloseRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString caption_;
    QPixmap glyphs_;  // menu box, pressed menu box, roll-up arrow, unroll arrow
    bool rolled_ = false;
    bool menuPressed_ = false;
    bool active_ = true;
    bool dragging_ = false;
    QPoint grab_;  // where the strip was grabbed, relative to the window
};

class RollupWindow : public QWidget {
    Q_OBJECT
public:
    RollupWindow(const QString& caption, QWidget* owner);

    // The window's contents, below the caption strip.
    void SetContent(QWidget* content);

    bool IsRolled() const { return rolled_; }
    bool IsAnimating() const { return timer_.isActive(); }
    // Rolls up, or down when rolled up: AnimationSteps() steps 5 ms apart.
    void ToggleRoll();
    virtual int AnimationSteps() const { return 5; }

    // The caption strip's menu: "&Enrouler", "&Dérouler", "&Fermer".
    QMenu& TitleMenu() { return menu_; }
    RollupTitleBar& TitleBar() { return *titleBar_; }

signals:
    // The user closed the window (menu, or a double click on the menu box).
    void Closed();

protected:
    bool event(QEvent* event) override;

private:
    void ShowTitleMenu();
    void Step();

    RollupTitleBar* titleBar_;
    QVBoxLayout* layout_;
    QWidget* content_ = nullptr;
    QMenu menu_;
    QAction* rollUp_;
    QAction* rollDown_;
    QTimer timer_;
    bool rolled_ = false;
    int fullHeight_ = -1;
    int startHeight_ = 0;
    int stepSize_ = 0;
    int step_ = 0;
};

}  // namespace lumora
