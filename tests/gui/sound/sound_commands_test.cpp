#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>

#include "core/album/album_document.h"
#include "gui/platform/commands.h"
#include "gui/sound/sound_commands.h"
#include "support/dialog_driver.h"
#include "../album/album_window_fixture.h"
#include "support/recording_sound_player.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

class SoundCommandsTest : public test::AlbumWindowTest {
protected:
    // A photo, then a text.
    AlbumView& OpenPhotoAndText()
    {
        auto doc = Album(1, true);
        test::InsertItemAt(*doc, 0, std::make_unique<AlbumItem>(dir.File("photo.bmp")));
        return Open(doc);
    }
    bool Enabled(int command)
    {
        frame.RefreshCommandStates();
        return frame.Action(command)->isEnabled();
    }
    // Triggers the command as a user would: only when it is enabled.
    void Run(int command)
    {
        ASSERT_TRUE(Enabled(command));
        frame.Action(command)->trigger();
    }
    void AnswerQuestion(QMessageBox::StandardButton answer)
    {
        test::AnswerNextModal<QMessageBox>([answer](QMessageBox& box) {
            EXPECT_NE(box.text().indexOf("supprimer la séquence sonore"), -1);
            box.button(answer)->click();
        });
    }
    test::RecordingSoundPlayer sound;
};

TEST_F(SoundCommandsTest, CommandsFollowTheSelectedItem)
{
    AlbumView& view = OpenPhotoAndText();
    view.SetSelection(0);
    EXPECT_TRUE(Enabled(kCmdAttachSound));
    EXPECT_FALSE(Enabled(kCmdPlaySound));  // F8 on a photo without sound
    EXPECT_FALSE(Enabled(kCmdRemoveSound));
    test::ChangeContent(view.Document(), 0, [&](ItemContent& c) { c.soundPath = dir.File("son.wav"); });
    EXPECT_TRUE(Enabled(kCmdPlaySound));
    EXPECT_TRUE(Enabled(kCmdRemoveSound));
    view.SetSelection(1);
    EXPECT_FALSE(Enabled(kCmdAttachSound));  // a text
    EXPECT_FALSE(Enabled(kCmdPlaySound));
}

TEST_F(SoundCommandsTest, PlayLooksBesideTheAlbumAndNavigationStopsTheSound)
{
    AlbumView& view = OpenPhotoAndText();
    test::WriteBytes(dir.File("son.wav"), {1});
    test::ChangeContent(view.Document(), 0, [&](ItemContent& c) { c.soundPath = "/disparu/son.wav"; });
    view.Document().Save(dir.File("album.qza"));
    view.SetSelection(0);
    Run(kCmdPlaySound);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0], dir.File("son.wav"));
    EXPECT_TRUE(sound.playing);
    Run(kCmdNextPage);
    EXPECT_FALSE(sound.playing);
}

TEST_F(SoundCommandsTest, RemoveAsksFirst)
{
    AlbumView& view = OpenPhotoAndText();
    AlbumDocument& doc = view.Document();
    test::ChangeContent(doc, 0, [&](ItemContent& c) { c.soundPath = dir.File("son.wav"); });
    view.SetSelection(0);
    AnswerQuestion(QMessageBox::No);
    Run(kCmdRemoveSound);
    EXPECT_EQ(doc.Items()[0]->soundPath, dir.File("son.wav"));
    EXPECT_FALSE(doc.IsModified());
    AnswerQuestion(QMessageBox::Yes);
    Run(kCmdRemoveSound);
    EXPECT_TRUE(doc.Items()[0]->soundPath.empty());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(SoundCommandsTest, AssociateDialogListensToTheSelectionAndStopsOnEverythingElse)
{
    AlbumView& view = OpenPhotoAndText();
    const std::string first = dir.File("un.wav"), second = dir.File("deux.mid");
    test::WriteBytes(first, {1});
    test::WriteBytes(second, {1});
    view.SetSelection(0);
    test::AnswerNextModal<SoundFileDialog>([&](SoundFileDialog& dialog) {
        EXPECT_EQ(dialog.ListenButton()->text(), "&Ecouter la séquence sonore");
        emit dialog.currentChanged(QString::fromStdString(first));
        dialog.ListenButton()->click();
        EXPECT_EQ(sound.played, std::vector<std::string>{first});
        EXPECT_TRUE(sound.playing);
        emit dialog.currentChanged(QString::fromStdString(second));  // another file: silence
        EXPECT_FALSE(sound.playing);
        dialog.ListenButton()->click();
        EXPECT_TRUE(sound.playing);
        dialog.selectFile(QString::fromStdString(second));
        static_cast<QDialog&>(dialog).accept();
    });
    Run(kCmdAttachSound);
    EXPECT_FALSE(sound.playing);  // closing the dialog stops it
    EXPECT_EQ(view.Document().Items()[0]->soundPath, second);
    EXPECT_TRUE(view.Document().IsModified());
}

}  // namespace
}  // namespace lumora
