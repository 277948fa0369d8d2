#pragma once
// Photos drawn larger than their stored previews (a zoomed book, a screen of
// pixel ratio 2) are read again from their files for the device pixels they
// cover, on worker threads, with the reduced JPEG decoding previews are made
// with. The preview is drawn meanwhile; the view is told when the sharp
// picture is ready and paints it in the preview's place. A file that cannot
// be read keeps its preview. What was read stays in a cache bounded in bytes,
// the least recently drawn pictures leaving first. The program has one, which
// all its album windows share: one limit for all of them, one pool of
// reading threads.
#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>
#include <cstddef>
#include <list>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace lumora {

inline constexpr size_t kDefaultSharpCacheBytes = size_t{256} << 20;

struct SharpPhotoKey {
    std::string path;  // the photo's file as the album names it
    // The album's file: a name relative to it may be another file in
    // another album.
    std::string album;
    int width = 0, height = 0;  // device pixels
    friend bool operator<(const SharpPhotoKey& a, const SharpPhotoKey& b)
    {
        return std::tie(a.path, a.album, a.width, a.height) < std::tie(b.path, b.album, b.width, b.height);
    }
    friend bool operator==(const SharpPhotoKey&, const SharpPhotoKey&) = default;
};

// Least recently used first out, never more than its limit in bytes (a
// picture larger than the whole limit is not kept).
class SharpPhotoCache {
public:
    explicit SharpPhotoCache(size_t limitBytes = kDefaultSharpCacheBytes) : limit_(limitBytes) {}

    // The picture, now the most recently used; null when absent.
    const QImage* Find(const SharpPhotoKey& key);
    // Whether it is there, without counting as a use.
    bool Contains(const SharpPhotoKey& key) const { return index_.count(key) != 0; }
    void Insert(const SharpPhotoKey& key, QImage image);
    void Clear();

    size_t Bytes() const { return bytes_; }
    size_t Limit() const { return limit_; }
    size_t Count() const { return order_.size(); }
    // Keys from the most to the least recently used.
    std::list<SharpPhotoKey> Order() const;

private:
    using Entry = std::pair<SharpPhotoKey, QImage>;
    void EvictDownTo(size_t bytes);

    size_t limit_;
    size_t bytes_ = 0;
    std::list<Entry> order_;  // most recently used first
    std::map<SharpPhotoKey, std::list<Entry>::iterator> index_;
};

class SharpPhotos : public QObject {
    Q_OBJECT
public:
    explicit SharpPhotos(size_t limitBytes = kDefaultSharpCacheBytes, QObject* parent = nullptr);
    ~SharpPhotos() override;

    // The sharp picture of the photo stored as `storedPath` in the album at
    // `albumPath`, for `device` pixels; null while it is being read (it is
    // asked for now) or when its file cannot be read.
    const QImage* Get(const std::string& storedPath, const std::string& albumPath, QSize device);
    // Asks for it without waiting, for spreads about to be shown.
    void Prefetch(const std::string& storedPath, const std::string& albumPath, QSize device);

    // Waits for every reading asked for (for tests and benchmarks), then
    // takes their results in.
    void WaitForReads();
    // Lets every picture go and forgets which files could not be read
    // (reads under way are dropped when they end).
    void Clear();

    const SharpPhotoCache& Cache() const { return cache_; }
    int PendingReads() const { return static_cast<int>(pending_.size()); }

signals:
    // A sharp picture is in the cache: the views that draw it repaint.
    void Ready();

private:
    void Request(const SharpPhotoKey& key, const std::string& storedPath, const std::string& albumPath);
    void TakeResult(const SharpPhotoKey& key, QImage image);

    SharpPhotoCache cache_;
    std::set<SharpPhotoKey> pending_;
    std::set<SharpPhotoKey> unreadable_;
    QThreadPool pool_;
};

}  // namespace lumora
