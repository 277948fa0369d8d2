#include "gui/print/pdf_export.h"

#include <QBuffer>
#include <QByteArray>
#include <QPdfWriter>

#include "core/platform/atomic_file.h"

namespace lumora {

std::optional<std::string> WritePdf(const std::string& path, const PdfSetup& setup,
                                    const std::function<bool(QPagedPaintDevice&)>& paint)
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(setup.dpi);
        writer.setPageLayout(setup.layout);
        writer.setTitle(setup.title);
        writer.setCreator(QStringLiteral("Lumora"));
        if (!paint(writer))
            return "impression impossible : " + path;
    }  // the PDF is complete once its painter has ended
    if (const WriteFailure failure = WriteFileAtomically(path, pdf.constData(), static_cast<size_t>(pdf.size())))
        return DescribeWriteFailure(failure, path);
    return std::nullopt;
}

}  // namespace lumora
