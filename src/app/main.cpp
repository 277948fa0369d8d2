// lumora: the photo-album program.
#include <QApplication>

#include "app/lumora_app.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("lumora");
    QApplication::setApplicationDisplayName("Lumora");
    QApplication::setOrganizationName("lumora");

    lumora::CLumoraApp app;
    if (!app.InitInstance(QApplication::arguments().mid(1)))
        return 1;
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
