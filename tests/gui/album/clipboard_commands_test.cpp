// Copy, cut and paste of album items between album windows, through the
// real clipboard of the offscreen platform.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "album_window_fixture.h"
#include "core/album/album_commands.h"
#include "core/album/clipboard_block.h"
#include "core/formats/bmp_writer.h"
#include "core/res/strings.h"
#include "gui/album/clipboard_commands.h"
#include "gui/platform/commands.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

constexpr int kMaxi = 1;   // 185 x 140 picture box
constexpr int kMicro = 4;  // 68 x 51

class ClipboardCommandsTest : public test::AlbumWindowTest {
protected:
    void SetUp() override
    {
        // A 4:3 photo on disk.
        photoPath = dir.File("photo.bmp");
        ASSERT_TRUE(WriteBMPFile(photoPath, test::MakeRgbPicture(400, 300, [](int x, int y) {
                                     return ColorTriple{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 90};
                                 })));
        QApplication::clipboard()->clear();
    }

    std::shared_ptr<AlbumDocument> PhotoAlbum(int layout)
    {
        auto doc = Album(2, false, {}, layout);
        InsertImages(*doc, {photoPath}, 0, false, nullptr);
        doc->MarkSaved();
        return doc;
    }

    void Run(int command)
    {
        frame.RefreshCommandStates();
        ASSERT_TRUE(frame.Action(command)->isEnabled()) << command;
        frame.Action(command)->trigger();
    }

    bool Enabled(int command)
    {
        frame.RefreshCommandStates();
        return frame.Action(command)->isEnabled();
    }

    std::string photoPath;
};

TEST_F(ClipboardCommandsTest, PhotoFromMaxiPastesIntoMicroWithItsPreviewRemade)
{
    auto source = PhotoAlbum(kMaxi);
    ASSERT_EQ(source->Items()[0]->preview.Width(), 185);
    AlbumView& from = Open(source);
    EXPECT_FALSE(Enabled(kCmdEditPaste));
    Run(kCmdEditCopy);

    const QMimeData* offered = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(offered);
    EXPECT_TRUE(offered->hasFormat(kClipboardMimeType));
    EXPECT_TRUE(offered->hasFormat(kClipboardUtf8MimeType));
    EXPECT_TRUE(offered->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(offered->imageData()).size(), QSize(400, 300));
    EXPECT_FALSE(from.Document().IsModified());

    auto target = Album(3, false, {}, kMicro);
    target->MarkSaved();
    AlbumView& to = Open(target);
    to.SetSelection(1);
    Run(kCmdEditPaste);
    ASSERT_EQ(target->ItemCount(), 4u);
    const AlbumItem& pasted = *target->Items()[1];
    EXPECT_TRUE(pasted.IsPhoto());
    EXPECT_EQ(pasted.imagePath, photoPath);
    EXPECT_EQ(pasted.preview.Width(), 68);
    EXPECT_EQ(pasted.preview.Height(), 51);
    EXPECT_EQ(to.State().Selection(), 1);
    EXPECT_TRUE(target->IsModified());
}

TEST_F(ClipboardCommandsTest, TextCutFromOneAlbumLandsOnPageZeroOfAnEmptyOne)
{
    auto source = Album(3, false, {1, 2});  // items 1 and 2 start sections
    test::ChangeContent(*source, 2, [](ItemContent& c) { c.text = "Καλημέρα, à bientôt"; });
    source->MarkSaved();
    AlbumView& from = Open(source);
    from.SetSelection(2);
    Run(kCmdEditCut);
    EXPECT_EQ(QApplication::clipboard()->text(), "Καλημέρα, à bientôt");
    ASSERT_EQ(source->ItemCount(), 2u);
    EXPECT_EQ(source->TabCount(), 3u);  // the emptied section keeps its tab
    EXPECT_TRUE(source->IsModified());

    auto target = std::make_shared<AlbumDocument>();
    target->Clear();
    AlbumView& to = Open(target);
    Run(kCmdEditPaste);
    ASSERT_EQ(target->ItemCount(), 1u);
    EXPECT_EQ(target->Items()[0]->text, "Καλημέρα, à bientôt");  // whole, through UTF-8
    EXPECT_EQ(target->Items()[0]->tabIndex, 0);
    EXPECT_EQ(target->Items()[0]->pageIndex, 0);
    EXPECT_EQ(to.State().Selection(), 0);
}

TEST_F(ClipboardCommandsTest, ForeignOrDamagedBlocksAreRefusedWithTheMessage)
{
    auto target = Album(2, false);
    target->MarkSaved();
    Open(target);
    for (const QByteArray& block : {QByteArray("XYZ") + QByteArray(2600, '\0'), QByteArray("QZA"),
                                    QByteArray("QZA") + QByteArray(2534, '\0') + QByteArray("junk")}) {
        auto* data = new QMimeData;
        data->setData(kClipboardMimeType, block);
        QApplication::clipboard()->setMimeData(data);
        test::CapturingReporter reporter;
        Run(kCmdEditPaste);
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].text, LoadString(kStrPasteFailed));
        EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Exclamation);
    }
    EXPECT_EQ(target->ItemCount(), 2u);
    EXPECT_FALSE(target->IsModified());
}

}  // namespace
}  // namespace lumora
