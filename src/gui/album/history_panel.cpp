#include "gui/album/history_panel.h"

#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "core/album/album_document.h"
#include "gui/album/album_navigation.h"
#include "gui/album/album_view.h"
#include "gui/album/history_commands.h"
#include "gui/platform/command_host.h"

namespace lumora {
namespace {

constexpr const char* kPanelName = "historyPanel";

QString StepText(const std::string& label)
{
    QString text = QString::fromStdString(label);
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

}  // namespace

HistoryPanel::HistoryPanel(CommandHost& frame, QWidget* parent)
    : QDockWidget("Historique", parent), frame_(frame), list_(new QListWidget(this))
{
    setObjectName(kPanelName);
    setWidget(list_);
    connect(list_, &QListWidget::itemClicked, this, &HistoryPanel::GoTo);
    if (QMdiArea* area = frame.MdiArea())
        connect(area, &QMdiArea::subWindowActivated, this, [this] { Follow(ActiveAlbumView(frame_)); });
    Follow(ActiveAlbumView(frame_));
}

HistoryPanel::~HistoryPanel() { Unfollow(); }

void HistoryPanel::Unfollow()
{
    if (const auto doc = doc_.lock())
        doc->RemoveObserver(this);
    doc_.reset();
    view_ = nullptr;
}

void HistoryPanel::Follow(AlbumView* view)
{
    if (view && view == view_ && !doc_.expired()) {
        Refill();
        return;
    }
    Unfollow();
    if (view) {
        view_ = view;
        doc_ = view->SharedDocument();
        view->Document().AddObserver(this);
    }
    Refill();
}

void HistoryPanel::Refill()
{
    list_->clear();
    const auto doc = doc_.lock();
    if (!doc || !view_)
        return;
    const AlbumHistory& history = doc->History();
    list_->addItem("Album ouvert");
    for (size_t i = 0; i < history.StepCount(); ++i) {
        auto* row = new QListWidgetItem(StepText(history.Step(i).Label()), list_);
        if (i >= history.DoneCount())
            row->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    }
    list_->setCurrentRow(static_cast<int>(history.DoneCount()));
}

void HistoryPanel::GoTo(QListWidgetItem* row)
{
    const auto doc = doc_.lock();
    if (!doc || !view_ || !row || doc->PasswordCheckPending())
        return;
    AlbumChange last;
    const auto target = static_cast<size_t>(list_->row(row));
    while (doc->History().DoneCount() > target && doc->History().CanUndo())
        last = doc->Undo();
    while (doc->History().DoneCount() < target && doc->History().CanRedo())
        last = doc->Redo();
    ShowStep(*view_, last);
    frame_.RefreshCommandStates();
}

HistoryPanel& HistoryPanelOf(CommandHost& frame)
{
    QWidget* host = frame.HostWidget();
    if (auto* panel = host->findChild<HistoryPanel*>(kPanelName, Qt::FindDirectChildrenOnly))
        return *panel;
    auto* panel = new HistoryPanel(frame, host);
    if (auto* window = qobject_cast<QMainWindow*>(host))
        window->addDockWidget(Qt::RightDockWidgetArea, panel);
    panel->hide();
    return *panel;
}

void ToggleHistoryPanel(CommandHost& frame)
{
    HistoryPanel& panel = HistoryPanelOf(frame);
    // Hidden or shown as asked, whether the main window is on screen or not.
    panel.setHidden(!panel.isHidden());
    if (!panel.isHidden())
        panel.Follow(ActiveAlbumView(frame));
}

bool HistoryPanelShown(CommandHost& frame)
{
    const auto* panel = frame.HostWidget()->findChild<HistoryPanel*>(kPanelName, Qt::FindDirectChildrenOnly);
    return panel && !panel->isHidden();
}

}  // namespace lumora
