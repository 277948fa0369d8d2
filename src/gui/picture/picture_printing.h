#pragma once
// Printing a picture window's picture on one page: the title in the top
// band, the picture fitted between the bands, the program's name in the
// bottom band. The picture itself is printed, never its screen copy.
#include <QSize>

class QPainter;
class QPrinter;
class QWidget;

namespace lumora {

class PictureDocument;

// Draws the page; `page` in device pixels. Nothing is drawn for a picture
// without size or a resolution of zero.
void RenderPicturePrintPage(QPainter& painter, const PictureDocument& document, QSize page, int dpiX,
                            int dpiY);
// The page on `printer`, within its printable area.
void PrintPicture(QPrinter& printer, const PictureDocument& document);
// The print dialog, then the page on the printer chosen.
void ShowPicturePrintDialog(QWidget* parent, const PictureDocument& document);
// The print preview of the page.
void ShowPicturePrintPreview(QWidget* parent, const PictureDocument& document);

}  // namespace lumora
