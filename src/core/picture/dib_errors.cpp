#include "core/picture/dib_errors.h"

#include "core/platform/services.h"

namespace lumora {

std::string DIBErrorText(DIBError error)
{
    switch (error) {
    case DIBError::FileNotFound: return "File Not Found!";
    }
    return "Undefined Error!";
}

void ReportDIBError(DIBError error)
{
    ReportStop(DIBErrorText(error));
}

}  // namespace lumora
