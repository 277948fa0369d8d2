#pragma once
// One program per user and display: a second `lumora FILE` on the same
// screen hands FILE to the running program and ends, as opening a document
// from the file manager did; the same user logged in on another display
// gets a program of its own.
#include <QLocalServer>
#include <QObject>
#include <QStringList>

namespace lumora {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the per-user channel (tests use their own).
    explicit SingleInstance(QString key, QObject* parent = nullptr);

    // True when another program took the paths: this one should end.
    bool HandOverToRunningInstance(const QStringList& paths, int timeoutMs = 500);
    // Starts answering later programs; false when the channel cannot open.
    bool Listen();

    // The channel of this user on this display (DISPLAY, WAYLAND_DISPLAY).
    static QString DefaultKey();
    // The channel of user `uid` on the X display and Wayland socket named
    // (either may be empty). Screens of one X display (":0" and ":0.1")
    // share it; any character unfit for a socket name becomes '_'.
    static QString KeyFor(unsigned uid, const QString& x11Display, const QString& waylandDisplay);

signals:
    void FilesRequested(const QStringList& paths);

private:
    void ReadRequest();

    QString key_;
    QLocalServer server_;
};

}  // namespace lumora
