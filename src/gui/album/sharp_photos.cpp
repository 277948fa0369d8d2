#include "gui/album/sharp_photos.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <limits>

#include "core/album/album_preview.h"
#include "core/album/find_album_file.h"
#include "core/colour/palette.h"
#include "gui/platform/dib_painter.h"

namespace lumora {
namespace {

size_t BytesOf(const QImage& image) { return static_cast<size_t>(image.sizeInBytes()); }

// The file read for a box of device pixels, as previews are: JPEG files
// decoded reduced by the DCT (an eighth from the blocks' DC alone, as it
// is only shown), then averaged down to the box.
QImage ReadSharp(const std::string& storedPath, const std::string& albumPath, QSize device)
{
    constexpr int kLargestSide = std::numeric_limits<uint16_t>::max();
    const std::string found = albumPath.empty() ? std::string() : FindAlbumImage(storedPath, albumPath);
    const std::string path = found.empty() ? storedPath : found;
    const PreviewPicture read =
        MakePreviewOnWorker(path, static_cast<uint16_t>(std::clamp(device.width(), 1, kLargestSide)),
                            static_cast<uint16_t>(std::clamp(device.height(), 1, kLargestSide)), AppPalette(),
                            PreviewColors::TrueColor, EighthDecoding::DcWhenPossible);
    if (!read.fileRead || !read.preview)
        return {};
    return DIBToQImage(read.preview).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

const QImage* SharpPhotoCache::Find(const SharpPhotoKey& key)
{
    const auto found = index_.find(key);
    if (found == index_.end())
        return nullptr;
    order_.splice(order_.begin(), order_, found->second);
    return &found->second->second;
}

void SharpPhotoCache::Insert(const SharpPhotoKey& key, QImage image)
{
    if (const auto found = index_.find(key); found != index_.end()) {
        bytes_ -= BytesOf(found->second->second);
        order_.erase(found->second);
        index_.erase(found);
    }
    const size_t size = BytesOf(image);
    if (size > limit_)
        return;
    EvictDownTo(limit_ - size);
    order_.emplace_front(key, std::move(image));
    index_[key] = order_.begin();
    bytes_ += size;
}

void SharpPhotoCache::EvictDownTo(size_t bytes)
{
    while (bytes_ > bytes && !order_.empty()) {
        bytes_ -= BytesOf(order_.back().second);
        index_.erase(order_.back().first);
        order_.pop_back();
    }
}

void SharpPhotoCache::Clear()
{
    order_.clear();
    index_.clear();
    bytes_ = 0;
}

std::list<SharpPhotoKey> SharpPhotoCache::Order() const
{
    std::list<SharpPhotoKey> keys;
    for (const Entry& entry : order_)
        keys.push_back(entry.first);
    return keys;
}

SharpPhotos::SharpPhotos(size_t limitBytes, QObject* parent) : QObject(parent), cache_(limitBytes)
{
    pool_.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

SharpPhotos::~SharpPhotos()
{
    pool_.clear();
    pool_.waitForDone();
}

const QImage* SharpPhotos::Get(const std::string& storedPath, const std::string& albumPath, QSize device)
{
    const SharpPhotoKey key{storedPath, albumPath, device.width(), device.height()};
    if (const QImage* image = cache_.Find(key))
        return image;
    Request(key, storedPath, albumPath);
    return nullptr;
}

void SharpPhotos::Prefetch(const std::string& storedPath, const std::string& albumPath, QSize device)
{
    const SharpPhotoKey key{storedPath, albumPath, device.width(), device.height()};
    // Looked up without being counted as drawn: what is shown now stays
    // the most recently used.
    if (!cache_.Contains(key))
        Request(key, storedPath, albumPath);
}

void SharpPhotos::Request(const SharpPhotoKey& key, const std::string& storedPath, const std::string& albumPath)
{
    if (key.path.empty() || key.width <= 0 || key.height <= 0 || pending_.count(key) || unreadable_.count(key))
        return;
    pending_.insert(key);
    const QSize device(key.width, key.height);
    pool_.start([this, key, storedPath, albumPath, device] {
        QImage image = ReadSharp(storedPath, albumPath, device);
        // Taken in on the GUI thread, which alone touches the cache.
        QMetaObject::invokeMethod(
            this, [this, key, image = std::move(image)]() mutable { TakeResult(key, std::move(image)); },
            Qt::QueuedConnection);
    });
}

void SharpPhotos::TakeResult(const SharpPhotoKey& key, QImage image)
{
    if (!pending_.erase(key))
        return;  // cleared meanwhile
    if (image.isNull()) {
        unreadable_.insert(key);
        return;
    }
    cache_.Insert(key, std::move(image));
    emit Ready();
}

void SharpPhotos::WaitForReads()
{
    pool_.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

void SharpPhotos::Clear()
{
    cache_.Clear();
    pending_.clear();
    unreadable_.clear();
}

}  // namespace lumora
