#include "app/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QRegularExpression>
#include <unistd.h>

namespace lumora {

SingleInstance::SingleInstance(QString key, QObject* parent) : QObject(parent), key_(std::move(key))
{
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::ReadRequest);
}

QString SingleInstance::DefaultKey()
{
    return KeyFor(getuid(), qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"));
}

QString SingleInstance::KeyFor(unsigned uid, const QString& x11Display, const QString& waylandDisplay)
{
    // ":0.1" is screen 1 of display :0, the same session.
    QString x11 = x11Display;
    static const QRegularExpression screen("\\.\\d+$");
    if (x11.contains(':'))
        x11.remove(screen);
    QString key = QString("lumora-%1").arg(uid);
    if (!waylandDisplay.isEmpty())
        key += "-w" + waylandDisplay;
    if (!x11.isEmpty())
        key += "-x" + x11;
    for (QChar& c : key)
        if (!c.isLetterOrNumber() && c != '-' && c != '_' && c != '.')
            c = '_';
    return key;
}

bool SingleInstance::HandOverToRunningInstance(const QStringList& paths, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QStringList absolute;
    for (const QString& path : paths)
        absolute << QDir::current().absoluteFilePath(path);
    // One path per line, then the end of the request.
    socket.write((absolute.join('\n') + "\n\n").toUtf8());
    return socket.waitForBytesWritten(timeoutMs);
}

bool SingleInstance::Listen()
{
    if (server_.listen(key_))
        return true;
    // A channel left behind by a program that died: take it over.
    QLocalServer::removeServer(key_);
    return server_.listen(key_);
}

void SingleInstance::ReadRequest()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // Requests are a few hundred bytes: read them whole as they come.
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const QByteArray pending = socket->property("pending").toByteArray() + socket->readAll();
            if (!pending.endsWith("\n\n")) {
                socket->setProperty("pending", pending);
                return;
            }
            socket->setProperty("pending", QByteArray());
            QStringList paths = QString::fromUtf8(pending).split('\n', Qt::SkipEmptyParts);
            if (!paths.isEmpty())
                emit FilesRequested(paths);
        });
    }
}

}  // namespace lumora
