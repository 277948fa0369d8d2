#include "gui/album/text_drawing.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <cmath>
#include <algorithm>
#include <limits>

namespace lumora {
namespace {

// What a LOGFONT of height 0 gets: the size of the system's default text.
constexpr int kDefaultPixelSize = 16;
constexpr int kLargestPixelSize = 1000;

// DrawText shows "&&" as "&" and takes a lone "&" as the mark of a
// mnemonic, which the album never shows.
QString WithoutPrefixes(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&')
                out += '&';
            ++i;
            if (i < text.size() && text[i] != '&')
                out += text[i];
            continue;
        }
        out += text[i];
    }
    return out;
}

// Line ends of either system break lines, as DrawText breaks them.
QString WithLineSeparators(QString text)
{
    text.replace("\r\n", QString(QChar::LineSeparator));
    text.replace('\n', QChar::LineSeparator);
    text.replace('\r', QChar::LineSeparator);
    return text;
}

// Lines laid out as DrawText lays them out: broken between words when the
// format asks for it, each line one font height (ascent + descent) below
// the last, aligned within the rectangle.
struct TextLines {
    QTextLayout layout;
    int lineCount = 0;
    int widest = 0;
};

// `allLines` false: lines that would start below a clipping rectangle are
// not laid out at all.
void LayOut(TextLines& lines, const QRect& rect, unsigned format, int lineHeight, bool allLines)
{
    const bool singleLine = format & kTextSingleLine;
    const bool wrap = (format & kTextWordBreak) && !singleLine;
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    lines.layout.setTextOption(option);
    const qreal width = wrap ? std::max(rect.width(), 1) : 1e6;
    lines.layout.beginLayout();
    for (QTextLine line = lines.layout.createLine(); line.isValid(); line = lines.layout.createLine()) {
        line.setLineWidth(width);
        const int natural = static_cast<int>(std::ceil(line.naturalTextWidth()));
        lines.widest = std::max(lines.widest, natural);
        int x = 0;
        if (format & kTextCenter)
            x = (rect.width() - natural) / 2;
        else if (format & kTextRight)
            x = rect.width() - natural;
        int y = lines.lineCount * lineHeight;
        if (singleLine && (format & kTextVCenter))
            y = (rect.height() - lineHeight) / 2;
        else if (singleLine && (format & kTextBottom))
            y = rect.height() - lineHeight;
        line.setPosition(QPointF(x, y));
        ++lines.lineCount;
        if (!allLines && y + lineHeight >= rect.height())
            break;
    }
    lines.layout.endLayout();
}

}  // namespace

QString ResolveFaceName(const std::string& faceName)
{
    const QString face = QString::fromStdString(faceName);
    if (face.compare("Times New Roman", Qt::CaseInsensitive) == 0)
        return "Liberation Serif";
    if (face.compare("Arial", Qt::CaseInsensitive) == 0)
        return "Liberation Sans";
    if (face.compare("Courier New", Qt::CaseInsensitive) == 0)
        return "Liberation Mono";
    if (face.isEmpty())
        return "Liberation Sans";
    return face;
}

QFont QFontFromTextFont(const TextFont& logFont)
{
    QFont font(ResolveFaceName(logFont.faceName));
    // Letters stand where the font's own metrics put them, at fractions of
    // a pixel, and are smoothed: rounding every glyph to whole pixels (as
    // monochrome hinting does) tears words apart ("la m er") at the
    // classic size and shows steps when the book is zoomed. Only the
    // vertical metrics are hinted, which keeps lines crisp on their
    // baselines at any zoom and pixel ratio.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    // Heights come from album files unchecked; anything beyond the book
    // would only cost time.
    const int height = std::clamp<int>(logFont.height, -kLargestPixelSize, kLargestPixelSize);
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height > 0) {
        // A cell height: the largest em whose ascent + descent fit it.
        font.setPixelSize(height);
        const int cell = QFontMetrics(font).height();
        int size = cell > height ? std::max(1, height * height / cell) : height;
        font.setPixelSize(size);
        while (size > 1 && QFontMetrics(font).height() > height)
            font.setPixelSize(--size);
    } else {
        font.setPixelSize(kDefaultPixelSize);
    }
    const int weight = logFont.weight <= 0 ? 400 : std::clamp<int>(logFont.weight, 100, 900);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(logFont.italic);
    font.setUnderline(logFont.underline);
    font.setStrikeOut(logFont.strikeOut);
    return font;
}

namespace {

std::string WindowsFaceName(const QString& family)
{
    if (family.compare("Liberation Serif", Qt::CaseInsensitive) == 0)
        return "Times New Roman";
    if (family.compare("Liberation Sans", Qt::CaseInsensitive) == 0)
        return "Arial";
    if (family.compare("Liberation Mono", Qt::CaseInsensitive) == 0)
        return "Courier New";
    return family.toStdString();
}

}  // namespace

TextFont TextFontFromQFont(const QFont& font, const TextFont& base)
{
    TextFont chosen = base;  // what a QFont does not carry stays as it was
    chosen.faceName = WindowsFaceName(font.family());
    const int pixels = font.pixelSize() > 0 ? font.pixelSize()
                                            : static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
    chosen.height = -std::max(1, pixels);
    chosen.weight = std::clamp(static_cast<int>(font.weight()), 100, 900);
    chosen.italic = font.italic();
    chosen.underline = font.underline();
    chosen.strikeOut = font.strikeOut();
    return chosen;
}

QColor ColorFromRef(Rgb color)
{
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

QRect DrawTextFormatted(QPainter& painter, const QRect& rect, const QString& text, unsigned format)
{
    QString shown = format & kTextNoPrefix ? text : WithoutPrefixes(text);
    shown = format & kTextSingleLine ? shown.remove('\r').replace('\n', ' ') : WithLineSeparators(shown);
    if (shown.isEmpty())
        return QRect(rect.topLeft(), QSize(0, 0));
    const QFont font = painter.font();
    const int lineHeight = QFontMetrics(font).height();
    TextLines lines;
    lines.layout.setText(shown);
    lines.layout.setFont(font);
    LayOut(lines, rect, format, lineHeight, (format & (kTextCalcRect | kTextNoClip)) != 0);
    const QRect used(rect.left(), rect.top(), lines.widest, lines.lineCount * lineHeight);
    if (format & kTextCalcRect)
        return used;
    painter.save();
    if (!(format & kTextNoClip))
        painter.setClipRect(rect, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    lines.layout.draw(&painter, rect.topLeft());
    painter.restore();
    return used;
}

void DrawPlainText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                   QColor color, unsigned format)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.setBackgroundMode(Qt::TransparentMode);
    DrawTextFormatted(painter, rect, text, format);
    painter.restore();
}

void DrawEffectText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                    QColor color, unsigned format, QColor colorA, QColor colorB, int offset)
{
    painter.save();
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(colorB);
    DrawTextFormatted(painter, rect.translated(offset, offset), text, format);
    painter.setPen(colorA);
    DrawTextFormatted(painter, rect.translated(-offset, -offset), text, format);
    painter.setPen(color);
    DrawTextFormatted(painter, rect, text, format);
    painter.restore();
}

QString AlbumText(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace lumora
