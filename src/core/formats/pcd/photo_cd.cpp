#include "core/formats/pcd/photo_cd.h"

#include <algorithm>
#include <iterator>

#include <array>

#include "core/formats/pcd/base_picture.h"
#include "core/formats/pcd/huffman_table.h"
#include "core/formats/pcd/orientation.h"
#include "core/formats/pcd/pcd_layout.h"
#include "core/formats/pcd/residuals.h"
#include "core/formats/pcd/ycc_rgb.h"
#include "core/platform/file.h"
#include "core/platform/services.h"

namespace lumora {
namespace {

using namespace pcd;

// Everything one decoding needs; a fresh one per picture.
class PhotoCDDecoder {
public:
    PhotoCDDecoder(ByteSource& source, const ReadOptions& options)
        : reader_(source, errors_), size_(SizeFromCode(options.photoCDSize)), options_(options)
    {
    }

    // The picture, with the faults met on the way (a damaged pack still
    // gives one); the stop is looked at between the stages.
    ReadResult Decode()
    {
        ReadResult result = DecodeStages();
        result.photoCDErrors = errors_.Codes();
        return result;
    }

private:
    ReadResult DecodeStages()
    {
        const uint32_t width = size_ == PcdSize::Large ? kLargeWidth : Stored().width;
        const uint32_t height = size_ == PcdSize::Large ? kLargeHeight : Stored().height;
        if (!options_.SizeAllowed(width, height))
            return options_.TooLarge(width, height);
        const Orientation orientation = ReadOrientation();
        if (options_.StopRequested())
            return ReadFailed(ReadError::Stopped);
        const bool decoded = size_ == PcdSize::Large ? DecodeLarge() : DecodeStored(Stored());
        if (options_.StopRequested())
            return ReadFailed(ReadError::Stopped);
        if (!decoded || !ConvertPlanesToRgb(planes_.luma, planes_.chroma1, planes_.chroma2, errors_))
            return ReadFailed(errors_.Has(kPcdErrMemory) ? ReadError::OutOfMemory : ReadError::Damaged);
        if (options_.StopRequested())
            return ReadFailed(ReadError::Stopped);
        Picture dib = WriteTurnedDIB(planes_.luma, planes_.chroma1, planes_.chroma2, orientation, options_.progress);
        if (!dib)
            return ReadFailed(ReadError::OutOfMemory);
        return dib;
    }

    PictureGeometry Stored() const
    {
        switch (size_) {
        case PcdSize::Mini: return kMiniPicture;
        case PcdSize::Medium: return kMediumPicture;
        default: return kNormalPicture;
        }
    }

    Orientation ReadOrientation()
    {
        std::array<uint8_t, kSectorSize> sector{};
        if (!reader_.SeekToSector(kAttributeSector) || !reader_.ReadAll(sector.data(), sector.size()))
            return Orientation::Upright;
        return OrientationFromByte(sector[kOrientationOffset]);
    }

    // Planes of the output size holding, for now, the stored picture's
    // samples: neutral until rows are read over them.
    bool AllocatePlanes(uint32_t width, uint32_t height, const PictureGeometry& stored)
    {
        const uint32_t w = stored.width, h = stored.height;
        planes_.luma = AllocatePlane(width, height, w, h, kNeutralLuma, errors_);
        planes_.chroma1 = AllocatePlane(width, height, w / 2, h / 2, kNeutralChroma1, errors_);
        planes_.chroma2 = AllocatePlane(width, height, w / 2, h / 2, kNeutralChroma2, errors_);
        return planes_.luma && planes_.chroma1 && planes_.chroma2;
    }

    // A stored picture, chroma doubled to luma's size. A short pack leaves
    // the planes' fill where rows are missing; decoding goes on regardless.
    bool DecodeStored(const PictureGeometry& picture)
    {
        if (!AllocatePlanes(picture.width, picture.height, picture))
            return false;
        ReadStoredRows(picture);
        return UpsamplePlane(planes_.chroma1, errors_) && UpsamplePlane(planes_.chroma2, errors_);
    }

    // The normal picture doubled (chroma twice), then luma corrected.
    bool DecodeLarge()
    {
        if (!AllocatePlanes(kLargeWidth, kLargeHeight, kNormalPicture))
            return false;
        ReadStoredRows(kNormalPicture);
        for (PcdPlane* plane : {&planes_.luma, &planes_.chroma1, &planes_.chroma1,
                                &planes_.chroma2, &planes_.chroma2}) {
            if (!UpsamplePlane(*plane, errors_))
                return false;
        }
        CorrectLuma();
        return true;
    }

    void ReadStoredRows(const PictureGeometry& picture)
    {
        if (reader_.SeekToSector(picture.startSector))
            ReadRowPairs(reader_, picture.width, picture.height, planes_, errors_);
    }

    void CorrectLuma()
    {
        std::array<uint8_t, kSectorSize> sector{};
        if (!reader_.SeekToSector(kLargeTableSector) || !reader_.ReadAll(sector.data(), sector.size()))
            return;
        const HuffmanTable table = HuffmanTable::Parse(sector, errors_);
        if (!table || !reader_.SeekToSector(kLargeResidualSector))
            return;
        DecodeResiduals(reader_, table, ResidualTargets{.luma = &planes_.luma}, errors_);
    }

    PcdErrorLog errors_;
    SectorReader reader_;
    PcdSize size_;
    const ReadOptions& options_;
    YccPlanes planes_;
};

// Begins the gauge when asked and ends it however the decoding leaves.
class ProgressScope {
public:
    explicit ProgressScope(bool on) : on_(on)
    {
        if (on_)
            CurrentProgressSink().Begin();
    }
    ~ProgressScope()
    {
        if (on_)
            CurrentProgressSink().End();
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    bool on_;
};

}  // namespace

// An image pack carries "PCD_IPI" at the start of its second sector; a file
// without it (empty, too short, or something else named .pcd) is no pack
// and gives no picture. The source is put back at its start.
static bool HasPackSignature(ByteSource& source)
{
    static constexpr char kSignature[] = {'P', 'C', 'D', '_', 'I', 'P', 'I'};
    char bytes[sizeof kSignature] = {};
    const bool found = source.Length() >= kSectorSize + sizeof kSignature &&
                       source.SeekTo(kSectorSize) &&
                       source.Read(bytes, sizeof bytes) == sizeof bytes &&
                       std::equal(std::begin(bytes), std::end(bytes), kSignature);
    return source.SeekTo(0) && found;
}

ReadResult ReadPhotoCDFromSource(ByteSource& source, const ReadOptions& options)
{
    if (!HasPackSignature(source))
        return ReadFailed(ReadError::NotThisType);
    ProgressScope gauge(options.progress);
    return PhotoCDDecoder(source, options).Decode();
}

ReadResult ReadPhotoCDFile(const PictureFile& file, const ReadOptions& options)
{
    PictureFileSource source(file);
    return ReadPhotoCDFromSource(source, options);
}

ReadResult ReadPhotoCDFile(const std::string& path, const ReadOptions& options)
{
    const PictureFile file = PictureFile::Open(path);
    if (!file)
        return ReadFailed(file.Error());
    return ReadPhotoCDFile(file, options);
}

}  // namespace lumora
