#pragma once
// The decoder's numbered errors. Decoding goes on after each, so one file
// may raise several; they travel with the read's result, and whoever shows
// it gives one stop box per error.
#include <vector>

namespace lumora {
namespace pcd {

enum PcdError {
    kPcdErrNone = 0,
    kPcdErrRead = 1,          // a read came short or a seek failed
    kPcdErrConsistency = 3,   // plane sizes disagree, backward seek, missing plane
    kPcdErrMemory = 6,        // a plane could not be allocated
    kPcdErrHuffmanTable = 7,  // unusable Huffman table
    kPcdErrRowIncomplete = 9, // a row header before the previous row was full
    kPcdErrRowNumber = 10,    // a row beyond the plane's height
    kPcdErrPlaneCode = 11,    // an invalid plane in a row header
    kPcdErrRowOverrun = 12,   // more codes in a row than pixels
    kPcdErrBadCode = 13,      // bits that match no table entry
    kPcdErrNoSync = 14,       // no synchronisation, or codes outside a row
    kPcdErrLumaRow = 15,      // a luma row while luma is not being corrected
};

// The errors of one decoding, in the order they were raised.
class PcdErrorLog {
public:
    void Raise(int code);

    int LastError() const { return last_; }
    const std::vector<int>& Codes() const { return codes_; }
    bool Has(int code) const;

private:
    int last_ = kPcdErrNone;
    std::vector<int> codes_;
};

}  // namespace pcd
}  // namespace lumora
