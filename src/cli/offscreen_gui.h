#pragma once
// Qt needs an application object to paint; the offscreen platform spares
// the drawing commands a display.
#include <QCoreApplication>
#include <QGuiApplication>
#include <optional>

namespace lumora::cli {

class OffscreenGui {
public:
    OffscreenGui()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (!QCoreApplication::instance())
            app_.emplace(argc_, argv_);
        // The same names as the program, so that its preference file is read.
        QCoreApplication::setApplicationName("lumora");
        QCoreApplication::setOrganizationName("lumora");
    }

private:
    int argc_ = 1;
    char name_[11] = "lumora-cli";
    char* argv_[2] = {name_, nullptr};
    std::optional<QGuiApplication> app_;
};

}  // namespace lumora::cli
