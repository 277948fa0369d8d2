#pragma once
// The picture preview of the album's file dialogs and item dialogs: a grey
// box with a raised frame showing a picture fitted inside it, and the panel
// that follows the file under the cursor of a file dialog, loading its
// picture once the user stops moving through the list.
#include <QElapsedTimer>
#include <QWidget>
#include <functional>

#include "core/picture_document/dib_object.h"

class QCheckBox;
class QTimer;

namespace lumora {

// When the preview of the file under the cursor loads. Every selection
// restarts the wait; the panel's 200 ms tick loads the preview once the
// selection has rested more than 500 ms. The very first selection counts as
// long rested, so it loads at the first tick.
class PreviewSettle {
public:
    static constexpr long long kSettleMs = 500;

    void Selected(long long nowMs);
    // True when the preview should load now (once per rest).
    bool Tick(long long nowMs);

private:
    enum class State { Idle, Pending, Loaded };
    State state_ = State::Idle;
    long long requestMs_ = 0;
};

// The owner-drawn preview box: fill 0xC0C0C0, a one-pixel raised frame,
// and the picture fitted and centred 3 pixels in when it is shown.
class PreviewBox : public QWidget {
    Q_OBJECT
public:
    explicit PreviewBox(QWidget* parent = nullptr);

    void SetPicture(Dib picture);
    void ClearPicture();
    const Dib& Image() const { return picture_; }
    void SetPictureShown(bool shown);
    bool PictureShown() const { return shown_; }

    QSize sizeHint() const override { return {150, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Dib picture_;
    bool shown_ = true;
};

// The preview box with its check box "&Afficher l'aperçu" (ids 1081 and
// 1080). The check box starts from, and writes back to, the ShowApercu
// preference it is given.
class PicturePreviewPanel : public QWidget {
    Q_OBJECT
public:
    using Clock = std::function<long long()>;

    PicturePreviewPanel(bool& showPreview, QWidget* parent = nullptr);

    // The file under the dialog's cursor changed.
    void SelectionChanged(const QString& path);
    // One tick of the 200 ms timer.
    void Tick();
    // Reads the selected file into the preview (when previewing is on).
    void LoadPreview();

    // Milliseconds of a monotonic clock; tests give their own.
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    PreviewBox& Box() const { return *box_; }
    QCheckBox& ShowBox() const { return *check_; }
    const QString& SelectedPath() const { return selected_; }

private:
    void ShowToggled(bool on);

    bool& showApercu_;
    PreviewBox* box_ = nullptr;
    QCheckBox* check_ = nullptr;
    QTimer* timer_ = nullptr;
    QElapsedTimer elapsed_;
    Clock clock_;
    PreviewSettle settle_;
    QString selected_;
};

// Reads a picture for a preview: Photo CD pictures at their smallest size.
// Nothing for a path that is not a regular file.
Dib ReadPreviewPicture(const QString& path);

}  // namespace lumora
