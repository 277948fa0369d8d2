#include "core/picture/dib_errors.h"


namespace lumora {

std::string DIBErrorText(DIBError error)
{
    switch (error) {
    case DIBError::FileNotFound: return "File Not Found!";
    }
    return "Undefined Error!";
}

}  // namespace lumora
