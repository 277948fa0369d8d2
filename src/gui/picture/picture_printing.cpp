#include "gui/picture/picture_printing.h"

#include <QFont>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <cstdint>

#include "core/picture_document/image_document.h"
#include "core/res/strings.h"
#include "gui/platform/dib_painter.h"
#include "gui/print/page_setup.h"

namespace lumora {

void RenderPicturePrintPage(QPainter& painter, const PictureDocument& document, QSize page, int dpiX,
                            int dpiY)
{
    const int w = document.Width();
    const int h = document.Height();
    if (w <= 0 || h <= 0 || dpiX <= 0 || dpiY <= 0)
        return;
    const int band = dpiY / 2;
    const int area = page.height() - dpiY;

    QRect picture;
    const int64_t fullWidthHeight = static_cast<int64_t>(dpiY) * page.width() * h / (static_cast<int64_t>(dpiX) * w);
    if (fullWidthHeight < area) {
        picture = QRect(0, band + (area - static_cast<int>(fullWidthHeight)) / 2, page.width(),
                        static_cast<int>(fullWidthHeight));
    } else {
        const int width = static_cast<int>(static_cast<int64_t>(dpiX) * area * w / (static_cast<int64_t>(dpiY) * h));
        picture = QRect((page.width() - width) / 2, band, width, area);
    }

    painter.save();
    QFont title("Arial");
    title.setPixelSize(std::max(1, 16 * dpiY / 72));
    title.setBold(true);
    title.setItalic(true);
    painter.setFont(title);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, page.width(), band), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromStdString(document.Title()));
    QFont footer("Arial");
    footer.setPixelSize(std::max(1, 10 * dpiY / 72));
    footer.setItalic(true);
    painter.setFont(footer);
    painter.drawText(QRect(0, page.height() - band, page.width(), band), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromStdString(LoadString(kStrProductName)));
    // The picture itself, never the screen's display copy.
    const Palette& palette = document.Image().GetPalette();
    DrawDIB(painter, picture, document.Image().Image(), QRect(0, 0, w, h), &palette);
    painter.restore();
}

void PrintPicture(QPrinter& printer, const PictureDocument& document)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    RenderPicturePrintPage(painter, document, page.size(), printer.logicalDpiX(), printer.logicalDpiY());
    painter.end();
}

void ShowPicturePrintDialog(QWidget* parent, const PictureDocument& document)
{
    QPrinter& printer = ApplicationPrinter();
    printer.setDocName(QString::fromStdString(document.Title()));
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        PrintPicture(printer, document);
}

void ShowPicturePrintPreview(QWidget* parent, const PictureDocument& document)
{
    QPrinter& printer = ApplicationPrinter();
    printer.setDocName(QString::fromStdString(document.Title()));
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document](QPrinter* p) { PrintPicture(*p, document); });
    preview.exec();
}

}  // namespace lumora
