#include "core/album/font_description.h"

#include "core/colour/halftone.h"
#include "core/res/strings.h"

namespace lumora {

int FontPointSize(const TextFont& font)
{
    return MulDiv(-font.height, 72, 96);
}

std::string DescribeFont(const TextFont& font, bool withFaceLabel)
{
    const auto yesNo = [](bool on) { return LoadString(on ? kStrYes : kStrNo); };
    std::string text = withFaceLabel ? LoadString(kStrFontNameLabel) : std::string();
    text += font.faceName;
    text += '\n';
    text += LoadString(kStrFontSizeLabel) + std::to_string(FontPointSize(font));
    text += ",  " + LoadString(kStrFontBoldLabel) + yesNo(font.weight > 400);
    text += ",  " + LoadString(kStrFontItalicLabel) + yesNo(font.italic);
    text += '.';
    return text;
}

}  // namespace lumora
