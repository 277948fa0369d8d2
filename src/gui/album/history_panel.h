#pragma once
// The "Historique" panel: the steps of the active album's history, the
// album as it was opened first; the point it stands at is selected, the
// steps undone are greyed. A click goes back (or forward) to that point.
// Hidden until the Options menu shows it.
#include <QDockWidget>
#include <QPointer>
#include <memory>

#include "core/album/album_edit.h"

class QListWidget;
class QListWidgetItem;
class QMdiSubWindow;

namespace lumora {

class AlbumDocument;
class AlbumView;
class CommandHost;

class HistoryPanel final : public QDockWidget, public AlbumObserver {
    Q_OBJECT
public:
    explicit HistoryPanel(CommandHost& frame, QWidget* parent = nullptr);
    ~HistoryPanel() override;

    // Follows the album of `view` (none: an empty list).
    void Follow(AlbumView* view);
    void HistoryChanged() override { Refill(); }

    QListWidget* List() const { return list_; }

private:
    void Refill();
    void GoTo(QListWidgetItem* row);
    void Unfollow();

    CommandHost& frame_;
    QListWidget* list_;
    QPointer<AlbumView> view_;
    std::weak_ptr<AlbumDocument> doc_;
};

// The main window's panel, made the first time it is asked for.
HistoryPanel& HistoryPanelOf(CommandHost& frame);
void ToggleHistoryPanel(CommandHost& frame);
bool HistoryPanelShown(CommandHost& frame);

}  // namespace lumora
