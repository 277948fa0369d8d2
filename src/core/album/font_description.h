#pragma once
// How the album's dialogs describe a font to the user: face, size in points,
// bold and italic, in the program's French wording.
#include <string>

#include "core/album/text_font.h"

namespace lumora {

// Size in points on a 96-dpi screen: -height x 72 / 96, rounded.
int FontPointSize(const TextFont& font);

// "<face>\nTaille : 12,  Gras : non,  Italique : oui." — with
// `withFaceLabel` the face is preceded by "Nom de police : ".
std::string DescribeFont(const TextFont& font, bool withFaceLabel);

}  // namespace lumora
