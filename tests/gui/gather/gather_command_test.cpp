#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QThread>
#include <filesystem>

#include "core/album/album_document.h"
#include "core/formats/bmp_writer.h"
#include "core/platform/services.h"
#include "core/res/strings.h"
#include "gui/platform/commands.h"
#include "gui/gather/gather_dialogs.h"
#include "gui/gather/spread_renderer.h"
#include "support/dialog_driver.h"
#include "../album/album_window_fixture.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

class GatherCommandTest : public test::AlbumWindowTest {
protected:
    // A saved album of `photos` pictures of 640 x 480.
    std::shared_ptr<AlbumDocument> SavedAlbum(int photos)
    {
        auto doc = std::make_shared<AlbumDocument>();
        doc->Clear();
        for (int i = 0; i < photos; ++i) {
            const std::string path = dir.File("photos/p" + std::to_string(i) + ".bmp");
            fs::create_directories(dir.File("photos"));
            WriteBMPFile(path, test::MakeRgbPicture(640, 480, [i](int32_t x, int32_t y) {
                return ColorTriple{static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(i * 40)};
            }));
            doc->InsertImage(path, static_cast<size_t>(i));
        }
        doc->Save(dir.File("photos/album.qza"));
        return doc;
    }
};

TEST_F(GatherCommandTest, DestinationOptionsProgressThenTheCompletionMessage)
{
    AlbumView& view = Open(SavedAlbum(2));
    frame.RefreshCommandStates();
    ASSERT_TRUE(frame.Action(kCmdGather)->isEnabled());
    prefs.convertJpeg = false;
    prefs.copyRuntime = true;

    test::CapturingReporter reporter;
    test::AnswerNextModal<GatherDestinationDialog>([this, &reporter](GatherDestinationDialog& d) {
        // Starts at the album's folder; a relative path is refused and the
        // dialog comes back with the text as typed.
        EXPECT_EQ(test::Get<QLineEdit>(d, widget_name::kFolderEdit).text().toStdString(), dir.File("photos"));
        test::Type(d, widget_name::kFolderEdit, "relatif");
        test::AnswerNextModal<GatherDestinationDialog>([this, &reporter](GatherDestinationDialog& again) {
            ASSERT_EQ(reporter.messages.size(), 1u);
            EXPECT_EQ(reporter.messages[0].text, LoadString(kStrGatherBadPath));
            EXPECT_EQ(again.Directory(), "relatif");
            test::Type(again, widget_name::kFolderEdit, QString::fromStdString(dir.File("cle usb/album")));
            test::Click(again, widget_name::kOkButton);
        });
        test::Click(d, widget_name::kOkButton);
    });
    QString completion;
    QMessageBox::Icon completionIcon = QMessageBox::Information;
    test::AnswerNextModal<GatherOptionsDialog>([&completion, &completionIcon](GatherOptionsDialog& d) {
        auto& rate = test::Get<QLineEdit>(d, widget_name::kCompressionEdit);
        EXPECT_FALSE(rate.isEnabled());  // follows the conversion box
        test::Click(d, widget_name::kConvertCheck);
        EXPECT_TRUE(rate.isEnabled());
        test::Type(d, widget_name::kCompressionEdit, "100");
        test::AnswerNextModal<QMessageBox>([](QMessageBox& box) { box.accept(); });
        test::Click(d, widget_name::kOkButton);  // refused: 1 to 99
        EXPECT_TRUE(d.isVisible());
        test::Type(d, widget_name::kCompressionEdit, "25");
        // The photos for the screen go with the viewer, on until turned off.
        auto& webSizes = test::Get<QCheckBox>(d, widget_name::kWebSizesCheck);
        EXPECT_TRUE(webSizes.isChecked());
        EXPECT_TRUE(webSizes.isEnabled());
        test::Click(d, widget_name::kViewerCheck);
        EXPECT_FALSE(webSizes.isEnabled());
        test::Click(d, widget_name::kViewerCheck);
        test::Click(d, widget_name::kWebSizesCheck);
        test::AnswerNextModal<QMessageBox>([&completion, &completionIcon](QMessageBox& box) {
            completion = box.text();
            completionIcon = box.icon();
            box.accept();
        });
        test::Click(d, widget_name::kOkButton);
    });
    frame.Action(kCmdGather)->trigger();

    EXPECT_EQ(completion.toStdString(), LoadString(kStrGatherDone));
    EXPECT_EQ(completionIcon, QMessageBox::NoIcon);  // a plain message box
    EXPECT_TRUE(prefs.convertJpeg);
    EXPECT_EQ(prefs.compression, 25);
    for (const char* name : {"album.qza", "p0.JPG", "p1.JPG", "index.html", "lumora-web/pages/000.jpg"})
        EXPECT_TRUE(fs::exists(dir.File(std::string("cle usb/album/") + name))) << name;
    EXPECT_FALSE(fs::exists(dir.File("cle usb/album/lumora-web/photos")));
    // Turned off, the photos for the screen stay off at the next gather.
    EXPECT_FALSE(prefs.webSizes);
    GatherOptionsDialog reopened(prefs, frame.HostWidget());
    EXPECT_FALSE(test::Get<QCheckBox>(reopened, widget_name::kWebSizesCheck).isChecked());
    (void)view;
}

TEST_F(GatherCommandTest, InterrompreAnswersAtOnceAndLeavesNoHalfFile)
{
    auto album = SavedAlbum(12);
    fs::create_directories(dir.File("dest"));
    PainterSpreadRenderer renderer(book, {});
    GatherProgressDialog progress(album, dir.File("dest"), {true, false, true, 10}, &renderer, frame.HostWidget());
    EXPECT_NE(test::Get<QLabel>(progress, widget_name::kSummaryLabel).text().indexOf("Les images seront converties"), -1);
    qint64 answeredMs = -1;
    test::AnswerNextModal<GatherProgressDialog>([&answeredMs](GatherProgressDialog& d) {
        // Once the conversions have begun.
        QElapsedTimer started;
        started.start();
        while (test::Get<QLabel>(d, widget_name::kOperationLabel).text().isEmpty() && started.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        QElapsedTimer clock;
        clock.start();
        test::Click(d, widget_name::kCancelButton);
        answeredMs = clock.elapsed();
    });
    EXPECT_EQ(progress.Run(), GatherProgressDialog::kInterrupted);
    EXPECT_GE(answeredMs, 0);
    EXPECT_LT(answeredMs, 100);
    EXPECT_FALSE(GatherProgressDialog::IsRunning());
    for (const auto& entry : fs::recursive_directory_iterator(dir.File("dest")))
        EXPECT_EQ(entry.path().filename().string().find(".lumora-gather-"), std::string::npos) << entry.path();
}

// The dialog closed by anything but its button — its close box, or the
// program ending its event loops as it quits — stops the gather all the same.
TEST_F(GatherCommandTest, ClosingTheDialogAnyOtherWayStopsTheGather)
{
    auto album = SavedAlbum(12);
    fs::create_directories(dir.File("dest"));
    GatherProgressDialog progress(album, dir.File("dest"), {true, false, false, 10}, nullptr, frame.HostWidget());
    test::AnswerNextModal<GatherProgressDialog>([](GatherProgressDialog& d) {
        QElapsedTimer started;
        started.start();
        while (test::Get<QLabel>(d, widget_name::kOperationLabel).text().isEmpty() && started.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        d.QDialog::done(QDialog::Rejected);  // not through reject()
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_NE(progress.Run(), GatherProgressDialog::kDone);
    EXPECT_LT(clock.elapsed(), 5000);
    int pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir.File("dest"))) {
        EXPECT_EQ(entry.path().filename().string().find(".lumora-gather-"), std::string::npos) << entry.path();
        pictures += entry.path().extension() == ".JPG";
    }
    EXPECT_LT(pictures, 12);  // stopped, not run to the end
}

// Answers Ignore, noting on which thread it was asked.
class ThreadNotingPrompter final : public Prompter {
public:
    AbortRetryIgnore AskAbortRetryIgnore(const std::string& text, const std::string&) override
    {
        asked.push_back(text);
        onGuiThread = onGuiThread && QThread::currentThread() == qApp->thread();
        return AbortRetryIgnore::Ignore;
    }
    std::vector<std::string> asked;
    bool onGuiThread = true;
    ScopedServices installed{[this](Services& s) { s.prompter = this; }};
};

// Keeps every status text, noting on which thread it was set.
class ThreadNotingStatus final : public StatusDisplay {
public:
    std::string StatusText() const override { return texts.empty() ? std::string() : texts.back(); }
    void SetStatusText(const std::string& text) override
    {
        texts.push_back(text);
        onGuiThread = onGuiThread && QThread::currentThread() == qApp->thread();
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::vector<std::string> texts;
    bool onGuiThread = true;
    ScopedServices installed{[this](Services& s) { s.status = this; }};
};

TEST_F(GatherCommandTest, QuestionsOfTheWorkerAreAskedOnTheGuiThread)
{
    auto album = SavedAlbum(3);
    fs::remove(dir.File("photos/p1.bmp"));
    fs::create_directories(dir.File("dest"));
    ThreadNotingPrompter prompter;
    ThreadNotingStatus status;
    GatherProgressDialog progress(album, dir.File("dest"), {true, false, false, 50}, nullptr, frame.HostWidget());
    EXPECT_EQ(progress.Run(), GatherProgressDialog::kDone);
    EXPECT_EQ(prompter.asked, std::vector<std::string>{LoadString(kStrSourceOpenFailed) + "\n" +
                                                       dir.File("photos/p1.bmp")});
    EXPECT_TRUE(prompter.onGuiThread);
    EXPECT_TRUE(fs::exists(dir.File("dest/p0.JPG")));
    EXPECT_FALSE(fs::exists(dir.File("dest/p1.JPG")));
    EXPECT_TRUE(fs::exists(dir.File("dest/p2.JPG")));
    // The status bar named the files on the GUI thread, and is clear at the end.
    EXPECT_TRUE(status.onGuiThread);
    EXPECT_TRUE(std::any_of(status.texts.begin(), status.texts.end(), [this](const std::string& t) {
        return t == LoadString(kStrConvertingToJpegOfLabel) + dir.File("dest/p2.JPG");
    }));
    ASSERT_FALSE(status.texts.empty());
    EXPECT_EQ(status.texts.back(), "");
}

}  // namespace
}  // namespace lumora
