#pragma once
// PDF files drawn by the printing code: the pages are painted into a PDF
// held in memory, which is written whole once complete, so that a failure
// never leaves half a file or spoils the previous one.
#include <QPageLayout>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class QPagedPaintDevice;

namespace lumora {

struct PdfSetup {
    QPageLayout layout;   // paper, orientation and margins: the printable area
    int dpi = 300;        // device pixels per inch the drawing works in
    QString title;
};

// Runs `paint` on a PDF device set up as `setup` says, then writes the file
// to `path`. The French reason when painting or writing failed.
std::optional<std::string> WritePdf(const std::string& path, const PdfSetup& setup,
                                    const std::function<bool(QPagedPaintDevice&)>& paint);

}  // namespace lumora
