#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>

#include "core/album/album_document.h"
#include "app/document_manager.h"
#include "app/main_window.h"
#include "gui/platform/profile.h"
#include "support/dialog_driver.h"
#include "support/test_support.h"

namespace lumora {
namespace {

class DocumentManagerTest : public ::testing::Test {
protected:
    test::TempDir dir;
    Profile profile{QString::fromStdString(dir.File("lumora.ini"))};
    Preferences preferences;
    MainWindow frame{preferences, profile};
    DocumentManager documents{frame, profile};

    std::vector<std::unique_ptr<AlbumDocument>> albums;
    QStringList pictures;

    void InstallOpeners()
    {
        documents.SetAlbumWindowOpener([this](std::unique_ptr<AlbumDocument> doc) {
            albums.push_back(std::move(doc));
            return true;
        });
        documents.SetPictureWindowOpener([this](const QString& path) {
            pictures << path;
            return true;
        });
    }

    QString SavedAlbum(const std::string& name, const std::string& title)
    {
        AlbumDocument doc;
        doc.Clear();
        EditSettings(doc, [&](AlbumSettings& s) { s.title = title; });
        const std::string path = dir.File(name);
        EXPECT_TRUE(doc.Save(path));
        return QString::fromStdString(path);
    }
};

TEST(OpenFilter, WindowsFilterBecomesQtFilter)
{
    EXPECT_EQ(ToQtFilter("BMP (Images Windows)|*.bmp|Tous|*.bmp;*.gif||"),
              "BMP (Images Windows) (*.bmp);;Tous (*.bmp *.gif)");
    const QString filter = DocumentManager::OpenDialogFilter();
    EXPECT_TRUE(filter.startsWith("Albums (*.qza);;Tous fichiers (*.bmp *.dib *.gif"));
    EXPECT_TRUE(filter.endsWith("HEIF (Images HEIC, HEIF, AVIF) (*.heic *.heif *.avif)"));
}

TEST_F(DocumentManagerTest, OpensAlbumsAndPicturesByExtension)
{
    InstallOpeners();
    const QString album = SavedAlbum("voyage.qza", "Voyage");
    ASSERT_TRUE(documents.OpenDocumentFile(album));
    ASSERT_EQ(albums.size(), 1u);
    EXPECT_EQ(albums[0]->Settings().title, "Voyage");

    const QString picture = QString::fromStdString(test::TestDataPath("bmp/bmpsuite-g-pal8.bmp"));
    ASSERT_TRUE(documents.OpenDocumentFile(picture));
    EXPECT_EQ(pictures.size(), 1);

    // A file of a kind we do not read is named in a message.
    {
        test::CapturingReporter unknown;
        test::WriteBytes(dir.File("Notes.TXT"), {'h', 'i'});
        EXPECT_FALSE(documents.OpenDocumentFile(QString::fromStdString(dir.File("Notes.TXT"))));
        ASSERT_EQ(unknown.messages.size(), 1u);
        EXPECT_NE(unknown.messages[0].text.find(dir.File("Notes.TXT")), std::string::npos);
        EXPECT_NE(unknown.messages[0].text.find("n'est pas reconnu"), std::string::npos);
        EXPECT_FALSE(documents.OpenDocumentFile(QString::fromStdString(dir.File("absent.doc"))));
        ASSERT_EQ(unknown.messages.size(), 2u);
        EXPECT_NE(unknown.messages[1].text.find("Chemin introuvable"), std::string::npos);
    }
    // An album file that cannot be read opens no window.
    test::CapturingReporter reporter;
    test::WriteBytes(dir.File("broken.qza"), {'Q', 'Z'});
    EXPECT_FALSE(documents.OpenDocumentFile(QString::fromStdString(dir.File("broken.qza"))));
    EXPECT_EQ(albums.size(), 1u);
    EXPECT_FALSE(reporter.messages.empty());
}

TEST_F(DocumentManagerTest, OpeningAPictureLeavesItsSizeInTheStatusBar)
{
    InstallOpeners();
    documents.SetPictureWindowOpener([this](const QString&) {
        frame.SetStatusText("127 x 64 - 256 couleurs - 100 %");  // as the picture window does
        return true;
    });
    ASSERT_TRUE(documents.OpenDocumentFile(QString::fromStdString(test::TestDataPath("bmp/bmpsuite-g-pal8.bmp"))));
    EXPECT_EQ(frame.StatusLabel()->text(), "127 x 64 - 256 couleurs - 100 %");
    ASSERT_TRUE(documents.OpenDocumentFile(SavedAlbum("y.qza", "Y")));
    EXPECT_EQ(frame.StatusLabel()->text(), "Prêt");
}

// A read-only album is not saved over: the user is told, then offered to
// keep the work under another name; the original stays as it was.
TEST_F(DocumentManagerTest, ReadOnlyAlbumIsKeptAndTheWorkSavedUnderAnotherName)
{
    const QString path = SavedAlbum("ro.qza", "Vacances");
    ASSERT_EQ(::chmod(path.toLocal8Bit().constData(), 0444), 0);
    const std::vector<uint8_t> before = test::ReadBytes(path.toStdString());
    AlbumDocument doc;
    ASSERT_TRUE(doc.Open(path.toStdString()));
    EditSettings(doc, [&](AlbumSettings& s) { s.title = "Neige"; });
    const QString copy = QString::fromStdString(dir.File("copie.qza"));
    test::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        dialog->selectFile(copy);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    test::CapturingReporter reporter;
    EXPECT_TRUE(documents.Save(doc));
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].text.find("lecture seule"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(path.toStdString()), before);
    EXPECT_EQ(doc.Path(), copy.toStdString());
    AlbumDocument reread;
    ASSERT_TRUE(reread.Open(copy.toStdString()));
    EXPECT_EQ(reread.Settings().title, "Neige");
}

TEST_F(DocumentManagerTest, FileNewMakesANewAlbumOnlyWithAnAlbumWindow)
{
    EXPECT_FALSE(documents.FileNew());
    frame.RefreshCommandStates();
    EXPECT_FALSE(frame.Action(kCmdFileNew)->isEnabled());
    InstallOpeners();
    frame.RefreshCommandStates();
    EXPECT_TRUE(frame.Action(kCmdFileNew)->isEnabled());
    ASSERT_TRUE(documents.FileNew());
    ASSERT_EQ(albums.size(), 1u);
    EXPECT_EQ(albums[0]->Settings().title, "Titre de l'album");
    EXPECT_EQ(albums[0]->TabCount(), 1u);
}

TEST_F(DocumentManagerTest, NewAlbumFromAFolderOpensItsPhotosUnsavedAndSaysWhatWasLeftOut)
{
    InstallOpeners();
    frame.RefreshCommandStates();
    EXPECT_TRUE(frame.Action(kCmdNewAlbumFromFolder)->isEnabled());
    const std::string folder = dir.File("Provence");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const auto jpeg = test::ReadBytes(test::TestDataPath("jpeg/imagers-progressive-cat.jpg"));
    test::WriteBytes(folder + "/IMG_20250615_100000.jpg", jpeg);
    test::WriteBytes(folder + "/IMG_20250614_100000.jpg", jpeg);
    test::WriteBytes(folder + "/IMG_20250614_110000.jpg", {0xFF, 0xD8, 0xFF});
    test::CapturingReporter reporter;
    ASSERT_TRUE(documents.NewAlbumFromFolder(QString::fromStdString(folder)));
    ASSERT_EQ(albums.size(), 1u);
    const AlbumDocument& album = *albums[0];
    EXPECT_EQ(album.Settings().title, "Provence");
    ASSERT_EQ(album.ItemCount(), 2u);
    EXPECT_EQ(album.Items()[0]->imagePath, folder + "/IMG_20250614_100000.jpg");
    EXPECT_EQ(album.TabCount(), 2u);
    EXPECT_TRUE(album.Path().empty());
    EXPECT_TRUE(album.IsModified());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].text.find("IMG_20250614_110000.jpg (fichier endommagé)"), std::string::npos)
        << reporter.messages[0].text;

    // A folder without pictures opens nothing and says so.
    const std::string empty = dir.File("vide");
    ASSERT_EQ(::mkdir(empty.c_str(), 0755), 0);
    EXPECT_FALSE(documents.NewAlbumFromFolder(QString::fromStdString(empty)));
    EXPECT_EQ(albums.size(), 1u);
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_NE(reporter.messages[1].text.find("ne contient aucune image"), std::string::npos);
}

TEST_F(DocumentManagerTest, RecentFilesKeepFourNewestFirstAndPersist)
{
    for (const char* name : {"a.qza", "b.qza", "c.qza", "d.qza", "e.qza"})
        documents.AddToRecentFiles(name);
    documents.AddToRecentFiles("c.qza");
    EXPECT_EQ(documents.RecentFiles(), QStringList({"c.qza", "e.qza", "d.qza", "b.qza"}));
    documents.SaveRecentFiles();
    EXPECT_EQ(profile.GetProfileString("Recent File List", "File1", {}), "c.qza");

    DocumentManager again(frame, profile);
    again.LoadRecentFiles();
    EXPECT_EQ(again.RecentFiles(), documents.RecentFiles());

    // The File menu lists them in place of the placeholder.
    QMenu* file = frame.menuBar()->actions().first()->menu();
    QStringList texts;
    for (QAction* a : file->actions())
        texts << a->text();
    EXPECT_TRUE(texts.contains("&1 c.qza"));
    EXPECT_TRUE(texts.contains("&4 b.qza"));
    EXPECT_FALSE(texts.contains("Fichier récent"));
}

TEST_F(DocumentManagerTest, OpenedDocumentsJoinTheRecentFiles)
{
    InstallOpeners();
    const QString album = SavedAlbum("x.qza", "X");
    ASSERT_TRUE(documents.OpenDocumentFile(album));
    ASSERT_FALSE(documents.RecentFiles().isEmpty());
    EXPECT_EQ(documents.RecentFiles().first(), album);
}

}  // namespace
}  // namespace lumora
