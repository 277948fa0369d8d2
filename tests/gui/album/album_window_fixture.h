#pragma once
// A main frame with album windows opened on albums built in memory, for the
// tests that drive the album view.
#include <gtest/gtest.h>

#include <QMdiSubWindow>

#include "core/album/album_document.h"
#include "gui/album/book_pictures.h"
#include "app/main_window.h"
#include "gui/platform/profile.h"
#include "support/test_support.h"
#include "gui/album/album_view.h"
#include "core/album/album_test_support.h"

namespace lumora::test {

class AlbumWindowTest : public ::testing::Test {
protected:
    TempDir dir;
    Profile profile{QString::fromStdString(dir.File("lumora.ini"))};
    Preferences prefs;
    MainWindow frame{prefs, profile};
    const BookPictures book = *LoadBookPictures("/nonexistent/", 24, {});

    // An album of `texts` text items in `layout` (Maxi 2+2: two per page),
    // with a tab starting a section at each index of `sections`.
    static std::shared_ptr<AlbumDocument> Album(int texts, bool flyleaf, std::vector<int> sections = {},
                                             int layout = 1)
    {
        // Set up as a fresh album: nothing in its history yet.
        AlbumSettings settings = NewAlbumSettings();
        settings.flyleaf = flyleaf;
        settings.layout = static_cast<BookLayout>(layout);
        settings.useTabs = !sections.empty();
        auto doc = std::make_shared<AlbumDocument>();
        doc->Clear(settings);
        std::vector<std::unique_ptr<AlbumItem>> items;
        for (int i = 0; i < texts; ++i)
            items.push_back(std::make_unique<AlbumItem>("texte", TextFont{}, 0));
        test::AppendItems(*doc, std::move(items));
        for (int first : sections)
            doc->AddTabBefore(static_cast<size_t>(first),
                              std::make_unique<SectionTab>("Section " + std::to_string(first), 0));
        doc->Paginate();
        return doc;
    }

    AlbumView& Open(std::shared_ptr<AlbumDocument> doc)
    {
        QMdiSubWindow* window = OpenAlbumWindow(frame, book, prefs, std::move(doc));
        return *qobject_cast<AlbumView*>(window->widget());
    }

    AlbumView& Open(int texts, bool flyleaf, std::vector<int> sections = {}, int layout = 1)
    {
        return Open(Album(texts, flyleaf, std::move(sections), layout));
    }
};

}  // namespace lumora::test
