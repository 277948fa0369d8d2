// Files dropped on an album view from outside, as the viewport gets the drag
// events, and what a photo dragged out of the book offers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

#include <filesystem>

#include "core/album/album_commands.h"
#include "core/layout/book_geometry.h"
#include "core/layout/spread.h"
#include "gui/album/drop_mark.h"
#include "gui/album/photo_drag.h"
#include "gui/platform/commands.h"
#include "album_window_fixture.h"
#include "support/sound_files.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

const std::string kPicture = test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp");  // 127 x 64

class FileDropTest : public test::AlbumWindowTest {
protected:
    // A copy of the test picture, named as a camera or a user names them.
    std::string Picture(const std::string& name) const
    {
        const std::string path = dir.File(name);
        fs::create_directories(fs::path(path).parent_path());
        fs::copy_file(kPicture, path, fs::copy_options::overwrite_existing);
        return path;
    }

    static QPoint AtBook(const AlbumView& view, Point inBook)
    {
        const PointF at = view.Transform().ToWindow(PointF{inBook.x + 0.5, inBook.y + 0.5});
        return QPoint(static_cast<int>(at.x), static_cast<int>(at.y));
    }
    static QPoint AtItem(const AlbumView& view, int item)
    {
        const ItemRect& r = view.Document().Items()[static_cast<size_t>(item)]->displayRect;
        return AtBook(view, {(r.left + r.right) / 2 + kPageAreaOffset.x, (r.top + r.bottom) / 2 + kPageAreaOffset.y});
    }
    // Below the item, in the free slot under it.
    static QPoint BelowItem(const AlbumView& view, int item)
    {
        const ItemRect& r = view.Document().Items()[static_cast<size_t>(item)]->displayRect;
        return AtBook(view, {r.left + kPageAreaOffset.x + 5, r.bottom + kPageAreaOffset.y + 20});
    }

    static QMimeData* Files(const std::vector<std::string>& paths)
    {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls << QUrl::fromLocalFile(QString::fromStdString(path));
        data->setUrls(urls);
        return data;
    }

    static void DragOver(AlbumView& view, QPoint at, const QMimeData& data)
    {
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
        ASSERT_TRUE(move.isAccepted());
        EXPECT_EQ(move.dropAction(), Qt::CopyAction);  // the files stay where they are
    }

    // The whole drag from a file manager; the drop's work runs once the
    // event is over.
    static void Drop(AlbumView& view, QPoint at, const std::vector<std::string>& paths)
    {
        const std::unique_ptr<QMimeData> data(Files(paths));
        DragOver(view, at, *data);
        QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &drop);
        EXPECT_TRUE(drop.isAccepted());
        QApplication::processEvents();
    }

    static bool MarkShown(const AlbumView& view)
    {
        for (const DropMark* mark : view.viewport()->findChildren<DropMark*>())
            if (!mark->isHidden())
                return true;
        return false;
    }

    // Each item's text, or the file name of a photo, with its section.
    static std::vector<std::string> Contents(const AlbumDocument& doc)
    {
        std::vector<std::string> contents;
        for (const auto& item : doc.Items())
            contents.push_back((item->IsPhoto() ? fs::path(item->imagePath).filename().string() : item->text) + "/" +
                               std::to_string(item->tabIndex));
        return contents;
    }

    static std::shared_ptr<AlbumDocument> Texts(int count, std::vector<int> sections = {})
    {
        auto doc = Album(count, false, std::move(sections));
        for (int i = 0; i < count; ++i)
            test::ChangeContent(*doc, static_cast<size_t>(i), [&](ItemContent& c) { c.text = "t" + std::to_string(i); });
        return doc;
    }
};

using Strings = std::vector<std::string>;

TEST_F(FileDropTest, PicturesGoBeforeTheItemUnderThePointerInTheZoomedViewInTheOrderGivenAsOneStep)
{
    AlbumView& view = Open(Texts(6));  // two a page: t2 t3 | t4 t5 on the second spread
    view.resize(1300, 900);
    view.SetZoom({false, 2.0});
    view.SetPosition(2);
    QApplication::processEvents();  // the window's layout settled before pointing
    const std::string b = Picture("b.bmp"), a = Picture("A.BMP");

    const std::unique_ptr<QMimeData> data(Files({b, a}));
    DragOver(view, AtItem(view, 4), *data);
    EXPECT_TRUE(MarkShown(view));
    DragOver(view, AtBook(view, {5, 5}), *data);  // the desk: no place in the book
    EXPECT_FALSE(MarkShown(view));

    Drop(view, AtItem(view, 4), {b, a});
    EXPECT_FALSE(MarkShown(view));
    EXPECT_EQ(Contents(view.Document()), (Strings{"t0/0", "t1/0", "t2/0", "t3/0", "b.bmp/0", "A.BMP/0", "t4/0", "t5/0"}));
    EXPECT_EQ(view.State().Selection(), 4);
    frame.RefreshCommandStates();
    EXPECT_EQ(frame.Action(kCmdEditUndo)->text(), "&Annuler l'insertion de 2 photos\tCtrl+Z");
    frame.Action(kCmdEditUndo)->trigger();
    EXPECT_EQ(Contents(view.Document()), (Strings{"t0/0", "t1/0", "t2/0", "t3/0", "t4/0", "t5/0"}));
    EXPECT_FALSE(view.Document().History().CanUndo());
}

TEST_F(FileDropTest, PicturesDroppedAfterThePagesLastItemStayInItsSection)
{
    // t0 alone in section 0 on page 0; section 1 starts on page 2.
    AlbumView& view = Open(Texts(4, {1, 3}));
    view.resize(700, 500);
    view.SetPosition(0);
    ASSERT_EQ(view.Document().Items()[1]->pageIndex, 2);
    Drop(view, BelowItem(view, 0), {Picture("p.bmp")});
    EXPECT_EQ(Contents(view.Document()), (Strings{"t0/0", "p.bmp/0", "t1/1", "t2/1", "t3/2"}));
}

TEST_F(FileDropTest, AFolderBringsItsPicturesInTheOrderTheyWereTaken)
{
    AlbumView& view = Open(Texts(2));
    view.resize(700, 500);
    view.SetPosition(0);
    Picture("vacances/a-20250614_183012.bmp");
    Picture("vacances/b-20250101_080000.bmp");
    const std::string oldest = Picture("vacances/c.bmp");  // no date in its name: the file's time
    fs::last_write_time(oldest, fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 8));
    test::WriteBytes(dir.File("vacances/notes.txt"), {'x'});
    Picture("vacances/sous-dossier/d.bmp");  // the folder's own pictures only

    Drop(view, AtItem(view, 1), {dir.File("vacances")});
    EXPECT_EQ(Contents(view.Document()),
              (Strings{"t0/0", "c.bmp/0", "b-20250101_080000.bmp/0", "a-20250614_183012.bmp/0", "t1/0"}));
    view.Document().Undo();
    EXPECT_EQ(view.Document().ItemCount(), 2u);
}

TEST_F(FileDropTest, ASoundDroppedOnAPhotoBecomesItsSoundInOneStep)
{
    auto doc = Texts(1);
    ASSERT_TRUE(doc->InsertImage(Picture("photo.bmp"), 1));
    AlbumView& view = Open(doc);
    view.resize(700, 500);
    view.SetPosition(0);
    const std::string wav = dir.File("rire.wav"), midi = dir.File("air.mid");
    test::WriteToneWav(wav, 0.1);
    test::WriteMidiNote(midi, 0.1);
    QSignalSpy opened(&frame, &MainWindow::FilesDropped);

    const std::unique_ptr<QMimeData> data(Files({wav}));
    DragOver(view, AtItem(view, 1), *data);
    EXPECT_TRUE(MarkShown(view));  // the photo framed
    Drop(view, AtItem(view, 1), {wav});
    EXPECT_EQ(view.Document().Items()[1]->soundPath, wav);
    Drop(view, AtItem(view, 1), {midi});
    EXPECT_EQ(view.Document().Items()[1]->soundPath, midi);
    view.Document().Undo();
    EXPECT_EQ(view.Document().Items()[1]->soundPath, wav);
    EXPECT_EQ(view.Document().ItemCount(), 2u);
    EXPECT_EQ(opened.count(), 0);

    // On a text a sound is no sound of the album: it opens as anywhere else.
    Drop(view, AtItem(view, 0), {wav});
    EXPECT_EQ(view.Document().Items()[0]->soundPath, "");
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened[0][0].toStringList(), QStringList{QString::fromStdString(wav)});
}

TEST_F(FileDropTest, AlbumsAndDropsOffThePagesOpenAsOnTheMainWindow)
{
    AlbumView& view = Open(Texts(3));
    view.resize(700, 500);
    view.SetPosition(0);  // page 0 alone, on the right
    const std::string picture = Picture("p.bmp"), album = dir.File("autre.qza");
    QSignalSpy opened(&frame, &MainWindow::FilesDropped);

    Drop(view, AtBook(view, {5, 5}), {picture});       // the desk
    Drop(view, AtBook(view, {100, 200}), {picture});   // the empty half of the spread
    view.SetPosition(kCoverPosition);
    Drop(view, AtBook(view, {300, 200}), {picture});   // the closed cover
    EXPECT_EQ(view.Document().ItemCount(), 3u);
    ASSERT_EQ(opened.count(), 3);
    EXPECT_EQ(opened[2][0].toStringList(), QStringList{QString::fromStdString(picture)});

    // On a page an album opens and the pictures beside it go in.
    view.SetPosition(0);
    Drop(view, AtItem(view, 0), {album, picture});
    EXPECT_EQ(Contents(view.Document()), (Strings{"p.bmp/0", "t0/0", "t1/0", "t2/0"}));
    ASSERT_EQ(opened.count(), 4);
    EXPECT_EQ(opened[3][0].toStringList(), QStringList{QString::fromStdString(album)});
}

TEST(PhotoDragOut, OffersTheFileAsAnEncodedAddressAndThePicture)
{
    test::TempDir dir;
    const std::string folder = dir.File("Vacances été");
    fs::create_directories(folder);
    const std::string path = folder + "/IMG 1.BMP";
    fs::copy_file(kPicture, path);
    AlbumItem photo(path);

    const std::unique_ptr<QMimeData> data(PhotoDragMimeData(photo, "", 3));
    EXPECT_EQ(data->data("text/uri-list").toStdString(),
              "file://" + dir.Path() + "/Vacances%20%C3%A9t%C3%A9/IMG%201.BMP\r\n");
    ASSERT_EQ(data->urls().size(), 1);
    EXPECT_EQ(data->urls()[0].toLocalFile().toStdString(), path);
    EXPECT_TRUE(data->hasImage());
    EXPECT_TRUE(data->hasFormat("image/png"));
    const QImage png = QImage::fromData(data->data("image/png"), "PNG");
    EXPECT_EQ(png.size(), QSize(127, 64));
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(127, 64));
    EXPECT_EQ(data->data(kBookItemMimeType), "3");

    // A photo whose file is gone offers no file and no picture.
    fs::remove(path);
    AlbumItem gone(path);
    const std::unique_ptr<QMimeData> none(PhotoDragMimeData(gone, "", 0));
    EXPECT_FALSE(none->hasFormat("text/uri-list"));
    EXPECT_FALSE(none->hasImage());
    EXPECT_EQ(none->data(kBookItemMimeType), "0");
}

}  // namespace
}  // namespace lumora
