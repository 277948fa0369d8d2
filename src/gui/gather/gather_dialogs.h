#pragma once
// The gather's three dialogs: the destination directory, the options, and
// the progress window that runs the gather on a worker thread.
#include <QDialog>
#include <atomic>
#include <memory>
#include <string>

#include "core/platform/preferences.h"
#include "core/gather/gather.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QThread;

namespace lumora {

class AlbumDocument;
class SpreadRenderer;

// "Rassembler l'album": the directory to gather into, kept as typed.
class GatherDestinationDialog : public QDialog {
    Q_OBJECT
public:
    GatherDestinationDialog(const QString& directory, QWidget* parent);
    QString Directory() const;

private:
    void Browse();
    QLineEdit* directory_;
};

// "Options de rassemblement": conversion and its compression rate (1 to
// 99), sounds, viewer and its photos for the screen.
class GatherOptionsDialog : public QDialog {
    Q_OBJECT
public:
    GatherOptionsDialog(const Preferences& prefs, QWidget* parent);
    // Into the preferences ConvertJpeg, CopierSons, CopyRuntime, WebSizes,
    // Compression.
    void Apply(Preferences& prefs) const;
    void accept() override;

private:
    void EnableCompression(bool on);

    QCheckBox* convert_;
    QCheckBox* sounds_;
    QCheckBox* viewer_;
    QCheckBox* webSizes_;
    QLineEdit* compressionEdit_;
    QList<QWidget*> compressionControls_;
    int compression_ = 50;
};

// "Rassemblement en cours...": the options, the operation in progress and
// "Interrompre". The gather runs on a worker thread; questions still come
// from the GUI thread. Run() gives 1 when done, 2 when interrupted, 3 when
// a file error was answered Abort.
class GatherProgressDialog : public QDialog {
    Q_OBJECT
public:
    enum Result { kDone = 1, kInterrupted = 2, kAborted = 3 };

    GatherProgressDialog(std::shared_ptr<const AlbumDocument> album, std::string destination,
                         GatherOptions options, SpreadRenderer* renderer, QWidget* parent);
    ~GatherProgressDialog() override;

    // Shows the dialog until the gather ends; "Interrompre" closes it at
    // once, and Run waits (events still flowing) for the file in progress
    // to be dropped.
    int Run();
    const GatherResult& Outcome() const { return outcome_; }
    // True while a gather runs anywhere in the program.
    static bool IsRunning();

    void reject() override;

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    QLabel* operation_;
    QPushButton* interrupt_;
    QThread* worker_ = nullptr;
    GatherResult outcome_;
};

}  // namespace lumora
