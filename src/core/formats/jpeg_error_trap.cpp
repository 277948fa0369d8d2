#include "core/formats/jpeg_error_trap.h"

namespace lumora {
namespace {

[[noreturn]] void ReturnToCaller(j_common_ptr cinfo)
{
    auto* trap = reinterpret_cast<JpegErrorTrap*>(cinfo->err);
    std::longjmp(trap->jump, 1);
}

// Warnings (corrupt data the decoder worked around, a premature end of file)
// are not failures and the user is not told of them.
void DiscardMessage(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* SetUpJpegErrorTrap(JpegErrorTrap& trap)
{
    jpeg_error_mgr* manager = jpeg_std_error(&trap.manager);
    manager->error_exit = ReturnToCaller;
    manager->output_message = DiscardMessage;
    return manager;
}

}  // namespace lumora
