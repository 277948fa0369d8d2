#pragma once
// "Impression d'un poster": the poster's width and height in centimetres.
// The two stay in the picture's proportions: leaving one edit recomputes
// the other from the size first proposed.
#include <QDialog>

class QLineEdit;

namespace lumora {

// The width of the last poster, for as long as the program runs.
int& PosterWidthCm();

class PosterDialog final : public QDialog {
    Q_OBJECT
public:
    // Proposes `widthCm` and the height that keeps a `pictureWidth` x
    // `pictureHeight` picture's proportions.
    PosterDialog(int widthCm, int pictureWidth, int pictureHeight, QWidget* parent = nullptr);

    int WidthCm() const { return width_; }
    int HeightCm() const { return height_; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Edit { None, Width, Height };
    void WidthLeft();
    void HeightLeft();
    // The value of `edit` within 1..1000, or a message and the focus back.
    bool Validate(QLineEdit* edit, int& value);

    QLineEdit* widthEdit_;
    QLineEdit* heightEdit_;
    int w0_ = 0, h0_ = 0;  // the size first proposed
    int width_ = 0, height_ = 0;
    Edit lastFocused_ = Edit::None;
};

}  // namespace lumora
