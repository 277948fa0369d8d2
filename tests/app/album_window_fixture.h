#pragma once
// A main frame with album windows opened on albums built in memory, for the
// tests that drive the album view.
#include <gtest/gtest.h>

#include <QMdiSubWindow>

#include "album/album_document.h"
#include "app/book_pictures.h"
#include "app/main_frame.h"
#include "platform/qt/profile.h"
#include "support/test_support.h"
#include "view/qt/album_view.h"

namespace lumora::test {

class AlbumWindowTest : public ::testing::Test {
protected:
    TempDir dir;
    Profile profile{QString::fromStdString(dir.File("lumora.ini"))};
    Preferences prefs;
    CMainFrame frame{prefs, profile};
    const BookPictures book = *LoadBookPictures("/nonexistent/", 24, {});

    // An album of `texts` text items in `layout` (Maxi 2+2: two per page),
    // with a tab starting a section at each index of `sections`.
    static std::shared_ptr<CLumoraDoc> Album(int texts, bool flyleaf, std::vector<int> sections = {},
                                             int layout = 1)
    {
        auto doc = std::make_shared<CLumoraDoc>();
        doc->OnNewDocument();
        doc->flyleaf = flyleaf;
        doc->layoutIndex = static_cast<int16_t>(layout);
        for (int i = 0; i < texts; ++i)
            doc->items.push_back(std::make_unique<CMyObject>("texte", LogFont{}, 0));
        for (int first : sections)
            doc->AddTabBefore(static_cast<size_t>(first),
                              std::make_unique<COnglet>("Section " + std::to_string(first), 0));
        doc->useTabs = !sections.empty();
        doc->Paginate();
        return doc;
    }

    CLumoraView& Open(std::shared_ptr<CLumoraDoc> doc)
    {
        QMdiSubWindow* window = OpenAlbumWindow(frame, book, prefs, std::move(doc));
        return *qobject_cast<CLumoraView*>(window->widget());
    }

    CLumoraView& Open(int texts, bool flyleaf, std::vector<int> sections = {}, int layout = 1)
    {
        return Open(Album(texts, flyleaf, std::move(sections), layout));
    }
};

}  // namespace lumora::test
