#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QPointer>

#include <memory>

namespace {

constexpr int kWaitMs = 1000;

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::Accept);
}

QString SingleInstance::ServerName() {
    const QString named = qEnvironmentVariable("RAVEK_INSTANCE");
    if (!named.isEmpty())
        return named;
    // The user and the display, hashed: a socket name has to be short and
    // plain.
    const QString key = qEnvironmentVariable("USER") + QLatin1Char('|') + QDir::homePath() +
                        QLatin1Char('|') + qEnvironmentVariable("DISPLAY") + QLatin1Char('|') +
                        qEnvironmentVariable("WAYLAND_DISPLAY");
    return QStringLiteral("ravek-") +
           QString::fromLatin1(
               QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

bool SingleInstance::HandOver(const QStringList& files) {
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(kWaitMs))
        return false;
    // One absolute path a line, then an empty line; the running program
    // answers "ok" once it has them.
    QByteArray message;
    for (const QString& file : files)
        message += QFileInfo(file).absoluteFilePath().toUtf8() + '\n';
    message += '\n';
    socket.write(message);
    if (!socket.waitForBytesWritten(kWaitMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kWaitMs))
            return false;
    }
    return socket.readLine().trimmed() == "ok";
}

bool SingleInstance::Listen() {
    if (server_.listen(ServerName()))
        return true;
    // A socket left by a program that ended without closing it: nobody
    // answers there.
    QLocalSocket probe;
    probe.connectToServer(ServerName());
    if (probe.waitForConnected(kWaitMs))
        return false;
    QLocalServer::removeServer(ServerName());
    return server_.listen(ServerName());
}

void SingleInstance::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] {
            *received += socket->readAll();
            // The message ends with an empty line.
            if (!received->endsWith("\n\n") && *received != "\n")
                return;
            QStringList files;
            for (const QByteArray& line : received->split('\n')) {
                if (!line.isEmpty())
                    files << QString::fromUtf8(line);
            }
            received->clear();
            socket->write("ok\n");
            socket->flush();
            emit filesHanded(files);
        });
    }
}
