#include "app/lumora_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>
#include <ctime>

#include "app/main_frame.h"
#include "imaging/load_settings.h"
#include "platform/qt/profile.h"
#include "platform/qt/qt_user_interface.h"

namespace lumora {

CLumoraApp::CLumoraApp(const QString& iniPath) : profile_(std::make_unique<Profile>(iniPath)) {}

CLumoraApp::~CLumoraApp()
{
    InstallErrorReporter(nullptr);
    InstallPrompter(nullptr);
    InstallProgressSink(nullptr);
}

bool CLumoraApp::InitInstance(const QStringList& arguments)
{
    programDirectory_ = QCoreApplication::applicationDirPath() + '/';
    // New tabs take random colours.
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    preferences_.Load(*profile_);
    const QScreen* screen = QGuiApplication::primaryScreen();
    preferences_.ClampPropertiesPosition(screen ? screen->size() : QSize(1024, 768));
    ApplyReadingPreferences();

    frame_ = std::make_unique<CMainFrame>(preferences_, *profile_);
    reporter_ = std::make_unique<MessageBoxReporter>(frame_.get());
    prompter_ = std::make_unique<MessageBoxPrompter>(frame_.get());
    progress_ = std::make_unique<FrameProgressSink>(*frame_);
    InstallErrorReporter(reporter_.get());
    InstallPrompter(prompter_.get());
    InstallProgressSink(progress_.get());
    QObject::connect(frame_.get(), &CMainFrame::PreferencesChanged, frame_.get(),
                     [this] { ApplyReadingPreferences(); });

    frame_->RestorePlacement(LoadWindowPlacement(*profile_));
    frame_->show();
    (void)arguments;  // documents on the command line open once albums do
    return true;
}

void CLumoraApp::ExitInstance()
{
    preferences_.Save(*profile_);
    profile_->Sync();
}

void CLumoraApp::ApplyReadingPreferences()
{
    LoadSettings().jpeg256 = preferences_.jpeg256;
    LoadSettings().photoCDSize = preferences_.photoCDSize;
}

}  // namespace lumora
