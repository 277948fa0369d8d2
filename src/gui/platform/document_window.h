#pragma once
#include <QMdiSubWindow>
#include <functional>

namespace lumora {

// The MDI window of a document: maximised the first time it is shown when
// the "open maximised" preference is on; later shows keep the state asked.
class DocumentWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    DocumentWindow(bool maximiseOnFirstShow, QWidget* parent = nullptr);
    void setVisible(bool visible) override;

    // Asked before the window closes (the album's "save changes?"
    // question); false keeps it open.
    void SetCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<bool()> closeGuard_;
    bool firstShow_ = true;
    bool maximiseOnFirstShow_;
};

}  // namespace lumora
