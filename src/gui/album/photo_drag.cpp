#include "gui/album/photo_drag.h"

#include <QBuffer>
#include <QDrag>
#include <QImage>
#include <QMimeData>
#include <QPixmap>

#include <filesystem>
#include <optional>

#include "core/album/album_document.h"
#include "core/album/find_album_file.h"
#include "core/formats/image_format.h"
#include "core/picture/read_options.h"
#include "core/platform/file_uri.h"
#include "core/platform/services.h"
#include "gui/album/album_view.h"
#include "gui/platform/dib_painter.h"

namespace lumora {
namespace {

constexpr char kQtImageType[] = "application/x-qt-image";
constexpr char kPngType[] = "image/png";
constexpr int kDragPictureSide = 96;

// Decoding a 12-megapixel photo takes a good part of a second: it is done
// when a program asks for the picture, not when the drag starts, and once.
class PhotoMimeData final : public QMimeData {
public:
    // No picture is offered when its file is not there.
    explicit PhotoMimeData(std::optional<std::string> picturePath) : picturePath_(std::move(picturePath)) {}

    QStringList formats() const override
    {
        QStringList formats = QMimeData::formats();
        if (picturePath_)
            formats << kPngType << kQtImageType;
        return formats;
    }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override
    {
        if (picturePath_ && mimeType == kQtImageType)
            return Image();
        if (picturePath_ && mimeType == kPngType)
            return PngBytes();
        return QMimeData::retrieveData(mimeType, type);
    }

private:
    const QImage& Image() const
    {
        if (!picture_) {
            // Read quietly: a program asking for the picture gets none when
            // the file cannot be read, as it gets no file.
            const ReadResult read = ReadImageFile(*picturePath_, ReadOptionsFromPreferences(CurrentPreferences()));
            picture_ = read ? DIBToQImage(read.picture) : QImage();
        }
        return *picture_;
    }

    QByteArray PngBytes() const
    {
        QByteArray bytes;
        if (Image().isNull())
            return bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        Image().save(&buffer, "PNG");
        return bytes;
    }

    std::optional<std::string> picturePath_;
    mutable std::optional<QImage> picture_;
};

std::string AbsolutePath(const std::string& path)
{
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute.lexically_normal().string();
}

}  // namespace

QMimeData* PhotoDragMimeData(const AlbumItem& photo, const std::string& albumPath, int index)
{
    const std::string found = FindAlbumImage(photo.imagePath, albumPath);
    std::optional<std::string> path;
    if (!found.empty())
        path = AbsolutePath(found);
    auto* data = new PhotoMimeData(path);
    if (path)
        data->setData("text/uri-list", QByteArray::fromStdString(FileUri(*path) + "\r\n"));
    data->setData(kBookItemMimeType, QByteArray::number(index));
    return data;
}

void DragPhotoOut(AlbumView& view, int index)
{
    const AlbumItem& photo = *view.Document().Items()[static_cast<size_t>(index)];
    auto* drag = new QDrag(view.viewport());
    drag->setMimeData(PhotoDragMimeData(photo, view.Document().Path(), index));
    const Picture& preview = photo.preview.Image();
    if (preview) {
        const QImage small = DIBToQImage(preview).scaled(kDragPictureSide, kDragPictureSide, Qt::KeepAspectRatio,
                                                          Qt::SmoothTransformation);
        drag->setPixmap(QPixmap::fromImage(small));
    }
    // Copy or link only: a file manager must never take the file away from
    // the album.
    drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
}

}  // namespace lumora
