#include "core/formats/pcd/residuals.h"

#include <algorithm>

#include "core/formats/pcd/residual_bits.h"

namespace lumora::pcd {
namespace {

enum PlaneCode { kLumaCode = 0, kChroma1Code = 2, kChroma2Code = 3 };

class ResidualDecoder {
public:
    ResidualDecoder(SectorReader& reader, const HuffmanTable& table,
                    const ResidualTargets& targets, PcdErrorLog& errors)
        : bits_(reader), table_(table), targets_(targets), errors_(errors)
    {
    }

    void Run()
    {
        // The first pattern must be in the stream's first sector.
        if (!bits_.FindSync(uint64_t{kSectorSize} * 8)) {
            errors_.Raise(kPcdErrNoSync);
            return;
        }
        while (!finished_ && bits_.Available() > 0) {
            if (bits_.AtSync())
                StartRow();
            else if (!row_)
                LoseRow(kPcdErrNoSync);  // codes outside any row
            else if (filled_ == width_)
                EndFullRow();
            else
                DecodePixel();
        }
        // Ran out before the closing row: the pack was cut short.
        if (!finished_ && !bits_.CameShort())
            errors_.Raise(kPcdErrRead);
    }

private:
    void StartRow()
    {
        if (row_ && filled_ < width_)
            errors_.Raise(kPcdErrRowIncomplete);
        row_ = nullptr;
        bits_.Skip(kSyncBits);
        if (bits_.Available() < kRowHeaderBits)
            return;  // the stream ends inside the header
        const uint32_t header = bits_.Peek(kRowHeaderBits);
        bits_.Skip(kRowHeaderBits);
        const uint32_t planeCode = header >> 14;
        const uint32_t rowNumber = (header >> 1) & 0x1FFF;

        PcdPlane* plane = nullptr;
        switch (planeCode) {
        case kLumaCode:
            plane = targets_.luma;
            if (!plane) {
                errors_.Raise(kPcdErrLumaRow);
                return;
            }
            break;
        case kChroma1Code:
        case kChroma2Code:
            plane = planeCode == kChroma1Code ? targets_.chroma1 : targets_.chroma2;
            if (!plane) {
                bits_.FindSync();  // a component this pass does not correct
                return;
            }
            break;
        default:
            errors_.Raise(kPcdErrPlaneCode);
            return;
        }
        if (rowNumber == plane->height) {
            finished_ = true;
            return;
        }
        if (rowNumber > plane->height) {
            errors_.Raise(kPcdErrRowNumber);
            return;
        }
        row_ = plane->Row(rowNumber);
        width_ = plane->width;
        filled_ = 0;
    }

    // A full row may be followed by padding to a byte boundary before the
    // next pattern; anything else is one code too many.
    void EndFullRow()
    {
        const unsigned padding = static_cast<unsigned>((8 - bits_.BitPosition() % 8) % 8);
        if (padding > 0 && bits_.Available() >= padding + kSyncBits &&
            (bits_.Peek(padding + kSyncBits) & 0xFFFFFF) == kSyncPattern) {
            bits_.Skip(padding);
            return;
        }
        LoseRow(kPcdErrRowOverrun);
    }

    void DecodePixel()
    {
        const unsigned available = bits_.Available();
        const HuffmanMatch match = table_.Match(static_cast<uint16_t>(bits_.Peek(kMaxCodeLength)));
        if (match.length == 0 || match.length > available) {
            LoseRow(kPcdErrBadCode);
            return;
        }
        bits_.Skip(match.length);
        uint8_t& sample = row_[filled_++];
        sample = static_cast<uint8_t>(std::clamp(sample + match.value, 0, 255));
    }

    // Gives the current row up and carries on at the next pattern.
    void LoseRow(int code)
    {
        errors_.Raise(code);
        row_ = nullptr;
        if (!bits_.FindSync())
            bits_.Skip(bits_.Available());  // no pattern left: the stream is over
    }

    ResidualBits bits_;
    const HuffmanTable& table_;
    const ResidualTargets& targets_;
    PcdErrorLog& errors_;
    uint8_t* row_ = nullptr;
    uint32_t width_ = 0;
    uint32_t filled_ = 0;
    bool finished_ = false;
};

}  // namespace

void DecodeResiduals(SectorReader& reader, const HuffmanTable& table,
                     const ResidualTargets& targets, PcdErrorLog& errors)
{
    if (!table)
        return;
    ResidualDecoder(reader, table, targets, errors).Run();
}

}  // namespace lumora::pcd
