#include "gui/album/album_properties_dialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

#include "gui/album/layout_picture.h"
#include "gui/album/password_dialog.h"
#include "core/album/album_edits.h"
#include "gui/widgets/color_button.h"
#include "gui/widgets/dialog_support.h"
#include "core/layout/layout_table.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

// Each entry of the layout list is a picture of its layout.
class LayoutPictureDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect cell(option.rect.topLeft(), QSize(kLayoutPictureWidth, kLayoutPictureHeight));
        DrawLayoutPicture(*painter, cell, index.row(), option.state & QStyle::State_Selected, option.font);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {kLayoutPictureWidth, kLayoutPictureHeight};
    }
};

template <typename W>
W* Named(W* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

QCheckBox* Check(const char* text, const char* name, bool flag, QWidget* parent)
{
    auto* box = Named(new QCheckBox(QString::fromUtf8(text), parent), name);
    box->setChecked(flag != 0);
    return box;
}

}  // namespace

AlbumPropertiesDialog::AlbumPropertiesDialog(const AlbumDocument& doc, QWidget* parent)
    : QDialog(parent), layoutKept_(doc.Settings().layout), frameStyleKept_(doc.Settings().frameStyle), password_(doc.Settings().password)
{
    setWindowTitle(QString::fromUtf8("Propriétés de l'album"));
    setModal(true);

    deskColor_ = Named(new ColorButton(QString::fromUtf8("&Couleur du bureau :"), doc.Settings().deskColor, this),
                       widget_name::kDeskColourButton);
    layouts_ = MakeLayoutList();
    if (IsKnownLayout(doc.Settings().layout))
        layouts_->setCurrentRow(LayoutNumber(doc.Settings().layout));

    frameStyle_ = Named(new QComboBox(this), widget_name::kFrameStyleCombo);
    frameStyle_->addItems({"Affichage simple", "Angles de positionnement", QString::fromUtf8("Affichage ombré")});
    const int frame = static_cast<int>(doc.Settings().frameStyle);
    frameStyle_->setCurrentIndex(frame >= 0 && frame < kFrameStyleCount ? frame : -1);
    auto* frameLabel = new QLabel("&Apercu des images :", this);
    frameLabel->setBuddy(frameStyle_);

    flyleaf_ = Check(" &Page de garde", widget_name::kFlyleafCheck, doc.Settings().flyleaf, this);
    pageNumbers_ = Check(" &Numéros de pages", widget_name::kPageNumbersCheck, doc.Settings().pageNumbers, this);
    headerTitle_ = Check(" &Titre de haut de page", widget_name::kHeaderTitleCheck, doc.Settings().headerTitle, this);
    useTabs_ = Check(" &Utiliser les onglets", widget_name::kUseTabsCheck, doc.Settings().useTabs, this);
    auto* password = Named(new QPushButton(" &Mot de passe... ", this), widget_name::kPasswordButton);
    password->setAutoDefault(false);
    connect(password, &QPushButton::clicked, this, &AlbumPropertiesDialog::ChangePassword);

    auto* layoutGroup = new QGroupBox(QString::fromUtf8("Disposition des éléments"), this);
    auto* layoutBox = new QVBoxLayout(layoutGroup);
    layoutBox->addWidget(layouts_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(widget_name::kOkButton);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(widget_name::kCancelButton);
    buttons->button(QDialogButtonBox::Cancel)->setText("Annuler");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* options = new QVBoxLayout;
    options->addWidget(deskColor_);
    options->addSpacing(6);
    options->addWidget(frameLabel);
    options->addWidget(frameStyle_);
    options->addSpacing(6);
    for (QWidget* w : std::initializer_list<QWidget*>{flyleaf_, pageNumbers_, headerTitle_, useTabs_})
        options->addWidget(w);
    options->addSpacing(6);
    options->addWidget(password);
    options->addStretch(1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(layoutGroup, 0, 0);
    grid->addLayout(options, 0, 1);
    grid->addWidget(buttons, 1, 0, 1, 2);

    PrepareDialog(*this, parent);
}

QListWidget* AlbumPropertiesDialog::MakeLayoutList()
{
    auto* list = Named(new QListWidget(this), widget_name::kLayoutList);
    list->setItemDelegate(new LayoutPictureDelegate(list));
    // All seven pictures in view: four on the first row, three below.
    list->setFlow(QListView::LeftToRight);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Sized to hold them all. A list that may show a scroll bar keeps room
    // for it, and one that an entry would fill to its last pixel column
    // wraps that entry: either would put the fourth picture on the second
    // row.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * list->frameWidth() + 2;
    list->setFixedSize(4 * kLayoutPictureWidth + frame, 2 * kLayoutPictureHeight + frame);
    for (int i = 0; i < kLayoutCount; ++i)
        list->addItem(LayoutCaption(i));
    connect(list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    return list;
}

BookLayout AlbumPropertiesDialog::Layout() const
{
    const int row = layouts_->currentRow();
    return row >= 0 && row < kLayoutCount ? static_cast<BookLayout>(row) : layoutKept_;
}

void AlbumPropertiesDialog::ChangePassword()
{
    PasswordDialog dialog(password_, this);
    if (dialog.exec() == QDialog::Accepted)
        password_ = dialog.Password();
}

void AlbumPropertiesDialog::StoreInto(AlbumSettings& settings) const
{
    settings.layout = Layout();
    settings.flyleaf = flyleaf_->isChecked();
    settings.deskColor = deskColor_->Color();
    settings.frameStyle = frameStyle_->currentIndex() >= 0 ? static_cast<FrameStyle>(frameStyle_->currentIndex())
                                                      : frameStyleKept_;
    settings.useTabs = useTabs_->isChecked();
    settings.headerTitle = headerTitle_->isChecked();
    settings.pageNumbers = pageNumbers_->isChecked();
    // The password dialog only confirms passwords the album can hold.
    settings.password = password_;
}

}  // namespace lumora
