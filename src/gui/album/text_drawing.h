#pragma once
// Text as the album draws it: fonts described by the album's LOGFONT values,
// and one text-box routine that follows the Windows DrawText format flags the
// album uses (0x811 centred, 0x810 left-aligned, 0xC11 measuring), so that
// titles, page numbers and text items wrap and clip the same way everywhere.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>

#include "core/album/text_font.h"
#include "core/album/section_tab.h"

namespace lumora {

// DrawText format bits.
enum TextFormat : unsigned {
    kTextLeft = 0x0000,
    kTextCenter = 0x0001,
    kTextRight = 0x0002,
    kTextVCenter = 0x0004,
    kTextBottom = 0x0008,
    kTextWordBreak = 0x0010,
    kTextSingleLine = 0x0020,
    kTextNoClip = 0x0100,
    kTextCalcRect = 0x0400,
    kTextNoPrefix = 0x0800,
};

// Centred, word-wrapped, no prefix: titles and page numbers.
inline constexpr unsigned kCentredWrapped = kTextCenter | kTextWordBreak | kTextNoPrefix;
// Left-aligned, word-wrapped, no prefix: text items.
inline constexpr unsigned kLeftWrapped = kTextWordBreak | kTextNoPrefix;

// Face names of the album's fonts resolve to their metric twins installed
// on Linux ("Times New Roman" -> "Liberation Serif", "Arial" -> "Liberation
// Sans"); other names stay as they are.
QString ResolveFaceName(const std::string& faceName);

// The font a LOGFONT describes. A negative height is the character height
// (em size) in pixels, a positive one the cell height (ascent + descent),
// zero a default size. Escapement is not part of a QFont: rotated text is
// drawn by turning the painter.
QFont QFontFromTextFont(const TextFont& logFont);

// The LOGFONT of a font chosen in the font dialog, as the album stores it:
// a character height in pixels at 96 dpi (negative), the weight on the
// 100-900 scale, and the Windows face names for their metric twins, so
// albums keep naming fonts the same way wherever they were made.
// `base` supplies the fields a QFont does not carry (charset, quality...).
TextFont TextFontFromQFont(const QFont& font, const TextFont& base = {});

QColor ColorFromRef(Rgb color);

// Draws (or with kTextCalcRect only measures) `text` in `rect` with the
// painter's font and pen, following the DrawText `format`. The text is clipped
// to the rectangle unless kTextNoClip is given. Returns the rectangle the
// text takes: for kTextCalcRect the box DrawText would report (left and top
// kept, width of the longest line, height of all lines).
QRect DrawTextFormatted(QPainter& painter, const QRect& rect, const QString& text, unsigned format);

// Text in one colour, transparent background.
void DrawPlainText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                   QColor color, unsigned format);

// Engraved or embossed text: the text in `colorB` moved by +offset, in
// `colorA` moved by -offset, then in `color` in place.
void DrawEffectText(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                    QColor color, unsigned format, QColor colorA, QColor colorB, int offset);

// Album strings are held as UTF-8.
QString AlbumText(const std::string& text);

}  // namespace lumora
