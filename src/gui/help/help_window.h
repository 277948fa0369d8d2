#pragma once
// The program's help: the French user guide shown in a simple window.
#include <QString>
#include <QTextBrowser>

namespace lumora {

class HelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // The guide's text (Markdown), from the program's resources.
    static QString GuideText();
};

}  // namespace lumora
