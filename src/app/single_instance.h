#pragma once
// One program per user: a second `lumora FILE` hands FILE to the running
// program and ends, as opening a document from the file manager did.
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

    static QString DefaultKey();

signals:
    void FilesRequested(const QStringList& paths);

private:
    void ReadRequest();

    QString key_;
    QLocalServer server_;
};

}  // namespace lumora
