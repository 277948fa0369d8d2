#include "gui/platform/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace lumora {

bool InstallQtFrenchTranslation(QCoreApplication& application)
{
    // One catalogue for the whole program, kept as long as the application.
    auto* translator = new QTranslator(&application);
    if (!translator->load("qtbase_fr", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace lumora
