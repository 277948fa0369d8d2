#include "imaging/dib_errors.h"

#include <array>

#include "platform/user_interface.h"

namespace lumora {

std::string DIBErrorText(int code)
{
    static constexpr std::array<const char*, 22> kTexts = {
        "Not a Windows DIB file!",
        "Couldn't allocate memory!",
        "Error reading file!",
        "Error locking memory!",
        "Error opening file!",
        "Error creating palette!",
        "Error getting a DC!",
        "Error creating Device Dependent Bitmap",
        "StretchBlt() failed!",
        "StretchDIBits() failed!",
        "SetDIBitsToDevice() failed!",
        "Printer: StartDoc failed!",
        "Printing: GetModuleHandle() couldn't find GDI!",
        "Printer: SetAbortProc failed!",
        "Printer: StartPage failed!",
        "Printer: NEWFRAME failed!",
        "Printer: EndPage failed!",
        "Printer: EndDoc failed!",
        "SetDIBits() failed!",
        "File Not Found!",
        "Invalid Handle",
        "General Error on call to DIB function",
    };
    if (code < 0 || code >= static_cast<int>(kTexts.size()))
        return "Undefined Error!";
    return kTexts[static_cast<size_t>(code)];
}

void ReportDIBError(int code)
{
    ReportStop(DIBErrorText(code));
}

}  // namespace lumora
