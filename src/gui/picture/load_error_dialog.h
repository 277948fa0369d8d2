#pragma once
// "Erreur de chargement": a picture could not be read. The user types or
// browses for another path and tries again, or gives up.
#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QLineEdit;

namespace lumora {

class LoadErrorDialog : public QDialog {
    Q_OBJECT
public:
    // Chooses another picture starting from the edit field's text; empty
    // when the user cancelled.
    using PathBrowser = std::function<QString(QWidget* dialog, const QString& current)>;

    // Without a browser "Parcourir.." opens the picture file dialog with
    // its preview.
    LoadErrorDialog(const QString& path, QWidget* parent = nullptr, PathBrowser browser = {});
    // The path in the edit field.
    QString Path() const;
    void Browse();

private:
    QLineEdit* edit_ = nullptr;
    PathBrowser browser_;
};

// Asks for another path after `path` failed to load; nothing when the user
// gives up. Tests replace the dialog with their own answers.
using LoadErrorPrompt = std::function<std::optional<QString>(QWidget* parent, const QString& path)>;
std::optional<QString> AskLoadErrorPath(QWidget* parent, const QString& path);
// Installs another prompt (empty: the dialog); returns the previous one.
LoadErrorPrompt SetLoadErrorPrompt(LoadErrorPrompt prompt);

// "label|patterns|label|patterns||" as Qt's file dialogs take filters.
QString QtFileFilter(const std::string& filter);

}  // namespace lumora
