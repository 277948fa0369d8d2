#pragma once
#include <string>

namespace lumora {

enum DIBError {
    kErrNotADIB = 0,
    kErrMemory = 1,
    kErrRead = 2,
    kErrLock = 3,
    kErrOpen = 4,
    kErrCreatePalette = 5,
    kErrGetDC = 6,
    kErrCreateDDB = 7,
    kErrStretchBlt = 8,
    kErrStretchDIBits = 9,
    kErrSetDIBitsToDevice = 10,
    kErrStartDoc = 11,
    kErrNoGDI = 12,
    kErrSetAbortProc = 13,
    kErrStartPage = 14,
    kErrNewFrame = 15,
    kErrEndPage = 16,
    kErrEndDoc = 17,
    kErrSetDIBits = 18,
    kErrFileNotFound = 19,
    kErrInvalidHandle = 20,
    kErrDIBFunction = 21,
};

// The text of a picture error code ("Undefined Error!" outside 0..21).
std::string DIBErrorText(int code);

// Shows the text in a stop-icon box with the system's default caption.
void ReportDIBError(int code);

}  // namespace lumora
