#pragma once
// The properties window: a roll-up window that always describes the
// current selection — for the selected photo of an album its file name,
// format, size, colours and bytes, and its description, edited in place;
// for a picture window the picture's name and properties; otherwise
// "Aucun objet sélectionné".
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include "gui/properties/rollup_window.h"

class QMdiSubWindow;

namespace lumora {

class AlbumView;
class PictureView;

class PropertiesWindow final : public RollupWindow {
    Q_OBJECT
public:
    explicit PropertiesWindow(QWidget* owner);

    // Fills the pane from the active window of the main window.
    void Describe(QMdiSubWindow* active);
    void DescribeAlbum(AlbumView& view);
    void DescribePicture(const PictureView& view);
    void ShowNoObject();

    // What the pane shows, for the tests.
    bool ShowsObject() const { return state_ == State::Object; }
    QString FileName() const { return name_->text(); }
    QString Properties() const { return properties_->text(); }
    QLineEdit& DescriptionEdit() { return *description_; }
    bool ShowsDescription() const { return !description_->isHidden(); }

private:
    enum class State { Unset, NoObject, Object };
    void ShowObject();
    void SetTexts(const QString& description, const QString& properties, const QString& name);
    void ShowDescription(bool shown);
    void DescriptionEdited(const QString& text);

    State state_ = State::Unset;
    QLabel* noObject_;
    QLabel* descriptionLabel_;
    QLabel* properties_;
    QLabel* name_;
    QLineEdit* description_;
    QString lastDescription_;
    QPointer<AlbumView> album_;  // the album whose photo is described
};

}  // namespace lumora
