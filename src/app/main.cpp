// lumora: the photo-album program.
#include <QApplication>
#include <QMdiSubWindow>
#include <QTimer>

#include "app/document_manager.h"
#include "app/lumora_app.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"
#include "gui/platform/program_art.h"
#include "gui/platform/qt_translation.h"

namespace {

// LUMORA_QUIT_AFTER_FIRST_PAINT=1: the program ends as soon as a document
// window has painted, so that start-up can be timed from outside.
class FirstDocumentPaintQuits : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && !quitting_) {
            for (QWidget* w = widget; w; w = w->parentWidget())
                if (qobject_cast<QMdiSubWindow*>(w)) {
                    quitting_ = true;
                    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
                    break;
                }
        }
        return false;
    }

private:
    bool quitting_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("lumora");
    // No display name: the window system would add it to every title, the
    // main window's "Lumora - vacances.qza" included.
    QApplication::setOrganizationName("lumora");
    // Every window, the document windows included, shows the program's icon.
    QApplication::setWindowIcon(lumora::ProgramIcon());
    // Before any window: the standard dialogs and buttons speak French.
    lumora::InstallQtFrenchTranslation(application);
    FirstDocumentPaintQuits startupProbe;
    if (qEnvironmentVariableIsSet("LUMORA_QUIT_AFTER_FIRST_PAINT"))
        application.installEventFilter(&startupProbe);

    const QStringList documents = QApplication::arguments().mid(1);
    lumora::SingleInstance instance(lumora::SingleInstance::DefaultKey());
    if (!documents.isEmpty() && instance.HandOverToRunningInstance(documents))
        return 0;

    lumora::LumoraApp app;
    if (!app.InitInstance(documents))
        return 1;
    instance.Listen();
    QObject::connect(&instance, &lumora::SingleInstance::FilesRequested, [&app](const QStringList& paths) {
        for (const QString& path : paths)
            app.Documents()->OpenDocumentFile(path);
        app.MainFrame()->raise();
        app.MainFrame()->activateWindow();
    });
    // Ended from outside: closed as the user would close it, asking about
    // unsaved albums.
    lumora::TerminationSignals termination;
    QObject::connect(&termination, &lumora::TerminationSignals::Requested, [&app] { app.MainFrame()->close(); });
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
