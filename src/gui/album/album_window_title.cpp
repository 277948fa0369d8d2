#include "gui/album/album_window_title.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "core/album/album_document.h"

namespace lumora {
namespace {

// Lives as a child of the window; watches the album without keeping it
// alive (the album goes with its last view).
class TitleFollower final : public QObject, public AlbumObserver {
public:
    TitleFollower(QWidget& window, const std::shared_ptr<AlbumDocument>& doc)
        : QObject(&window), window_(&window), doc_(doc)
    {
        setObjectName(kName);
        doc->AddObserver(this);
        Retitle();
    }
    ~TitleFollower() override
    {
        if (const auto doc = doc_.lock())
            doc->RemoveObserver(this);
    }
    TitleFollower(const TitleFollower&) = delete;
    TitleFollower& operator=(const TitleFollower&) = delete;

    void ModifiedChanged(bool modified) override
    {
        if (window_)
            window_->setWindowModified(modified);
    }

    void Retitle()
    {
        const auto doc = doc_.lock();
        if (!doc || !window_)
            return;
        window_->setWindowTitle(AlbumWindowTitle(*doc));
        window_->setWindowModified(doc->IsModified());
    }

    bool Follows(const AlbumDocument& doc) const { return doc_.lock().get() == &doc; }

    static constexpr const char* kName = "albumTitleFollower";

private:
    QPointer<QWidget> window_;
    std::weak_ptr<AlbumDocument> doc_;
};

}  // namespace

QString AlbumWindowTitle(const AlbumDocument& doc)
{
    const QString name = QFileInfo(QString::fromStdString(doc.Path())).fileName();
    return (name.isEmpty() ? QStringLiteral("Album") : name) + QStringLiteral("[*]");
}

void FollowAlbumInTitle(QWidget& window, const std::shared_ptr<AlbumDocument>& doc)
{
    if (doc)
        new TitleFollower(window, doc);
}

void RetitleAlbumWindows(QMdiArea& area, const AlbumDocument& doc)
{
    for (QMdiSubWindow* window : area.subWindowList())
        for (QObject* child : window->findChildren<QObject*>(TitleFollower::kName, Qt::FindDirectChildrenOnly))
            if (auto* follower = dynamic_cast<TitleFollower*>(child); follower && follower->Follows(doc))
                follower->Retitle();
}

}  // namespace lumora
