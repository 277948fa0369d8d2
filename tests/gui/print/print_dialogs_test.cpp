// The printing dialogs and commands: "Impression d'un album" keeps its
// choices whatever closes it, "Impression d'un poster" keeps width and
// height in proportion and refuses sizes out of range, the album's print
// preview opens on the page the window shows, the properties window hidden
// until it closes, and a poster prints only the sheets chosen.
#include <QFile>
#include <QFileDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "core/formats/bmp_writer.h"
#include "gui/album/album_window_fixture.h"
#include "gui/picture/picture_window.h"
#include "gui/print/page_setup.h"
#include "gui/print/poster_print.h"
#include "gui/platform/commands.h"
#include "gui/print/album_print_dialog.h"
#include "gui/print/poster_dialog.h"
#include "gui/properties/properties_window.h"
#include "support/dialog_driver.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

using test::Click;
using test::Get;
using test::Type;

void LeaveEdit(QLineEdit& edit)
{
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(&edit, &out);
}

TEST(AlbumPrintDialogTest, ChoicesAreKeptEvenOnCancel)
{
    Preferences prefs;
    prefs.printDescriptions = true;
    AlbumCoverMode() = false;
    {
        AlbumPrintDialog dialog(prefs);
        EXPECT_TRUE(Get<QRadioButton>(dialog, widget_name::kContentsRadio).isChecked());
        Click(dialog, widget_name::kCoversRadio);
        Click(dialog, widget_name::kDescriptionsCheck);
        dialog.reject();
    }
    EXPECT_FALSE(prefs.printDescriptions);
    EXPECT_TRUE(AlbumCoverMode());
    AlbumPrintDialog again(prefs);
    EXPECT_TRUE(Get<QRadioButton>(again, widget_name::kCoversRadio).isChecked());
    AlbumCoverMode() = false;
}

TEST(PosterDialogTest, WidthAndHeightFollowEachOtherAndStayInRange)
{
    PosterDialog dialog(64, 640, 427);  // proposes 64 x 42 cm
    auto& width = Get<QLineEdit>(dialog, widget_name::kPosterWidthEdit);
    auto& height = Get<QLineEdit>(dialog, widget_name::kPosterHeightEdit);
    EXPECT_EQ(height.text(), "42");
    Type(dialog, widget_name::kPosterWidthEdit, "128");
    LeaveEdit(width);
    EXPECT_EQ(height.text(), "84");
    Type(dialog, widget_name::kPosterHeightEdit, "21");
    LeaveEdit(height);
    EXPECT_EQ(width.text(), "32");

    // Out of range: refused with the framework's message, the dialog stays.
    Type(dialog, widget_name::kPosterWidthEdit, "1001");
    test::AnswerNextModal<QMessageBox>([](QMessageBox& box) { box.accept(); });
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    // OK first finishes what leaving the edit being typed in would do.
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(&width, &in);
    Type(dialog, widget_name::kPosterWidthEdit, "200");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.WidthCm(), 200);
    EXPECT_EQ(dialog.HeightCm(), 131);
}

class PrintCommandsTest : public test::AlbumWindowTest {};

TEST_F(PrintCommandsTest, PreviewOpensOnTheWindowsPageWithThePropertiesWindowHidden)
{
    AlbumView& view = Open(9, true);  // Maxi 2+2: pages 0-4, page count 6
    view.SetPosition(4);
    frame.RefreshCommandStates();
    ASSERT_TRUE(frame.Action(kCmdFilePrintPreview)->isEnabled());
    if (!prefs.showProperties)
        frame.Action(kCmdPropertiesWindow)->trigger();
    ASSERT_TRUE(prefs.showProperties);
    AlbumCoverMode() = false;

    bool previewed = false;
    test::AnswerNextModal<AlbumPrintDialog>([&](AlbumPrintDialog& dialog) {
        test::AnswerNextModal<QPrintPreviewDialog>([&](QPrintPreviewDialog& preview) {
            auto* widget = preview.findChild<QPrintPreviewWidget*>();
            ASSERT_NE(widget, nullptr);
            QApplication::processEvents();
            EXPECT_EQ(widget->pageCount(), 6);
            EXPECT_EQ(widget->currentPage(), 5);  // the right page of spread 4
            EXPECT_FALSE(prefs.showProperties);
            previewed = true;
            preview.reject();
        });
        Click(dialog, widget_name::kOkButton);
    });
    frame.Action(kCmdFilePrintPreview)->trigger();
    EXPECT_TRUE(previewed);
    // The preview closed: the properties window is back.
    EXPECT_TRUE(prefs.showProperties);
    ASSERT_NE(frame.Properties(), nullptr);
    EXPECT_TRUE(frame.Properties()->isVisible());
}

TEST_F(PrintCommandsTest, APosterPrintsOnlyTheSheetsThePrintDialogChose)
{
    const std::string photo = dir.File("photo.bmp");
    ASSERT_TRUE(WriteBMPFile(photo, test::MakeRgbPicture(640, 480, [](int32_t x, int32_t) {
                                 return ColorTriple{static_cast<uint8_t>(x), 0, 0};
                             })));
    ASSERT_NE(OpenPictureWindow(frame, QString::fromStdString(photo)), nullptr);
    frame.RefreshCommandStates();
    ASSERT_TRUE(frame.Action(kCmdPrintPoster)->isEnabled());
    const QString pdf = QString::fromStdString(dir.File("poster.pdf"));
    QPrinter& printer = ApplicationPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);

    bool chosen = false;
    test::AnswerNextModal<PosterDialog>([&](PosterDialog& dialog) {
        test::AnswerNextModal<QPrintDialog>([&](QPrintDialog& print) {
            // Sheets 2 to 3 only, as a user reprinting two spoilt sheets.
            auto* range = print.findChild<QRadioButton*>("printRange");
            auto* from = print.findChild<QSpinBox*>("from");
            auto* to = print.findChild<QSpinBox*>("to");
            ASSERT_TRUE(range && from && to);
            EXPECT_GE(to->maximum(), 3);  // the dialog offers every sheet
            range->setChecked(true);
            from->setValue(2);
            to->setValue(3);
            chosen = true;
            print.accept();
        });
        Type(dialog, widget_name::kPosterWidthEdit, "64");
        Click(dialog, widget_name::kOkButton);
    });
    frame.Action(kCmdPrintPoster)->trigger();
    printer.setOutputFileName({});
    ASSERT_TRUE(chosen);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("/Type /Page\n"), 2);
}

TEST_F(PrintCommandsTest, ExportToPdfWritesTheCoverSheetsChosen)
{
    Open(5, true);
    frame.RefreshCommandStates();
    ASSERT_TRUE(frame.Action(kCmdExportPdf)->isEnabled());
    const QString pdf = QString::fromStdString(dir.File("album.pdf"));
    test::AnswerNextModal<AlbumPrintDialog>([&](AlbumPrintDialog& dialog) {
        test::AnswerNextModal<QFileDialog>([&](QFileDialog& files) {
            files.selectFile(pdf);
            QMetaObject::invokeMethod(&files, "accept");
        });
        Click(dialog, widget_name::kCoversRadio);
        Click(dialog, widget_name::kOkButton);
    });
    frame.Action(kCmdExportPdf)->trigger();
    AlbumCoverMode() = false;
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n"), 3);  // front cover, flyleaf, back cover
}

}  // namespace
}  // namespace lumora
