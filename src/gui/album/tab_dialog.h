#pragma once
// The dialogs that edit a tab's name and colours: "Nouvel onglet" (with the
// picture and the explanation of what a new tab does) and "Propriétés de
// l'onglet".
#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

class QLineEdit;

namespace lumora {

class ColorButton;
class SectionTab;

class TabDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { NewTab, Properties };

    TabDialog(Kind kind, const SectionTab& tab, std::array<uint32_t, 16>* customColors, QWidget* parent = nullptr);

    std::string Name() const;
    uint32_t TabColor() const;
    uint32_t NameColor() const;
    // Writes name and colours into `tab`.
    void Store(SectionTab& tab) const;

private:
    QLineEdit* name_ = nullptr;
    ColorButton* tabColor_ = nullptr;
    ColorButton* nameColor_ = nullptr;
};

}  // namespace lumora
