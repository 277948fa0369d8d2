#include "gui/widgets/dialog_support.h"
#include "gui/widgets/widget_names.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFont>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace lumora {

const QFont& SmallFont8()
{
    static const QFont font = [] {
        QFont f(QStringLiteral("Liberation Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setPointSize(8);
        return f;
    }();
    return font;
}

void CentrerDialog(QWidget& dialog, const QWidget* parent)
{
    dialog.adjustSize();
    QRect area;
    if (parent)
        area = QRect(parent->mapToGlobal(QPoint(0, 0)), parent->size());
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isEmpty())
        return;
    QRect frame = dialog.frameGeometry();
    frame.moveCenter(area.center());
    dialog.move(frame.topLeft());
}

void PrepareDialog(QWidget& dialog, const QWidget* parent)
{
    // Children follow the dialog's font unless they set their own.
    dialog.setFont(SmallFont8());
    CentrerDialog(dialog, parent);
}

QDialogButtonBox* OkCancelButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    buttons->button(QDialogButtonBox::Ok)->setObjectName(widget_name::kOkButton);
    buttons->button(QDialogButtonBox::Cancel)->setText("Annuler");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(widget_name::kCancelButton);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace lumora
