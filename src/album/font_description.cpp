#include "album/font_description.h"

#include "imaging/halftone.h"
#include "res/strings.h"

namespace lumora {

int FontPointSize(const LogFont& font)
{
    return MulDiv(-font.height, 72, 96);
}

std::string DescribeFont(const LogFont& font, bool withFaceLabel)
{
    const auto yesNo = [](bool on) { return LoadString(on ? 55037 : 55038); };
    std::string text = withFaceLabel ? LoadString(55033) : std::string();
    text += font.faceName;
    text += '\n';
    text += LoadString(55034) + std::to_string(FontPointSize(font));
    text += ",  " + LoadString(55035) + yesNo(font.weight > 400);
    text += ",  " + LoadString(55036) + yesNo(font.italic != 0);
    text += '.';
    return text;
}

}  // namespace lumora
