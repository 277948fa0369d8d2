#include "artwork/icons.h"
namespace lumora::art {
std::vector<NamedImage> RenderCursors() { return {}; }
std::vector<NamedImage> RenderToolbarIcons() { return {}; }
std::vector<NamedImage> RenderControlBitmaps() { return {}; }
}
