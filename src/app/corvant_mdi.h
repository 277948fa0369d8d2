#pragma once
#include <QMdiSubWindow>

namespace lumora {

// The MDI window of a document: maximised the first time it is shown when
// the "open maximised" preference is on; later shows keep the state asked.
class CCorvantMDI : public QMdiSubWindow {
    Q_OBJECT
public:
    CCorvantMDI(bool maximiseOnFirstShow, QWidget* parent = nullptr);
    void setVisible(bool visible) override;

private:
    bool firstShow_ = true;
    bool maximiseOnFirstShow_;
};

}  // namespace lumora
