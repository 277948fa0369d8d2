#pragma once
// What the GUI benchmarks share: one offscreen application for the run, and
// the book drawn from the program's built-in pictures.
#include <QApplication>

#include "gui/album/book_pictures.h"

namespace lumora::bench {

inline QApplication& OffscreenApplication()
{
    static int argc = 1;
    static char name[] = "lumora-bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

inline const BookPictures& BuiltInBook()
{
    static const BookPictures book = *LoadBookPictures("/nonexistent/", 24, [](int, int) {});
    return book;
}

}  // namespace lumora::bench
