// lumora: the photo-album program.
#include <QApplication>

#include "app/document_manager.h"
#include "app/lumora_app.h"
#include "app/main_frame.h"
#include "app/single_instance.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("lumora");
    QApplication::setApplicationDisplayName("Lumora");
    QApplication::setOrganizationName("lumora");

    const QStringList documents = QApplication::arguments().mid(1);
    lumora::SingleInstance instance(lumora::SingleInstance::DefaultKey());
    if (!documents.isEmpty() && instance.HandOverToRunningInstance(documents))
        return 0;

    lumora::CLumoraApp app;
    if (!app.InitInstance(documents))
        return 1;
    instance.Listen();
    QObject::connect(&instance, &lumora::SingleInstance::FilesRequested, [&app](const QStringList& paths) {
        for (const QString& path : paths)
            app.Documents()->OpenDocumentFile(path);
        app.MainFrame()->raise();
        app.MainFrame()->activateWindow();
    });
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
