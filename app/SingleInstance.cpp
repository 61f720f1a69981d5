#include "app/SingleInstance.h"

#include "platform/LocalPath.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// How long a start waits for the running program to connect and to answer.
constexpr int kWaitMs = 5000;

// Whether path is a folder (not a link to one) of this user that nobody
// else may enter, list or write to.
bool IsPrivateFolder(const QByteArray& path, QString* why) {
    struct stat info {};
    QString fault;
    if (::lstat(path.constData(), &info) != 0)
        fault = QString::fromLocal8Bit(std::strerror(errno));
    else if (!S_ISDIR(info.st_mode))
        fault = QStringLiteral("not a folder");
    else if (info.st_uid != ::geteuid())
        fault = QStringLiteral("it belongs to another user");
    else if ((info.st_mode & 077) != 0)
        fault = QStringLiteral("others may enter it (mode %1)")
                    .arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'));
    if (!fault.isEmpty() && why != nullptr)
        *why = QFile::decodeName(path) + QStringLiteral(": ") + fault;
    return fault.isEmpty();
}

// $XDG_RUNTIME_DIR when it is private, else a private folder of the user's
// own in the temporary folder, made when missing; empty when neither is.
QString PrivateFolder(QString* why) {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/') && IsPrivateFolder(runtime, nullptr))
        return QFile::decodeName(runtime);
    const QByteArray own =
        QFile::encodeName(QDir::tempPath() + QStringLiteral("/ravek-%1").arg(::geteuid()));
    if (::mkdir(own.constData(), 0700) != 0 && errno != EEXIST) {
        if (why != nullptr)
            *why = QFile::decodeName(own) + QStringLiteral(": ") +
                   QString::fromLocal8Bit(std::strerror(errno));
        return QString();
    }
    return IsPrivateFolder(own, why) ? QFile::decodeName(own) : QString();
}

// Whether the process at the other end of a connected local socket runs as
// this user.
bool PeerIsThisUser(qintptr descriptor) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return descriptor >= 0 &&
           ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           size == sizeof peer && peer.uid == ::geteuid();
}

// The files of a complete message (absolute paths, each ended by a zero
// byte, the list by one more); false while the message is incomplete or
// when it is no such list.
bool FilesOf(const QByteArray& message, QStringList& files, bool& complete) {
    complete = message == QByteArray(1, '\0') || message.endsWith(QByteArray(2, '\0'));
    if (!complete)
        return true;
    files.clear();
    for (const QByteArray& path : message.split('\0')) {
        if (path.isEmpty())
            continue;
        if (!path.startsWith('/') || files.size() == SingleInstance::kMaxFiles)
            return false;
        files << LocalPath::FromBytes(path.toStdString());
    }
    return true;
}

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::Accept);
}

QString SingleInstance::ServerName(QString* why) {
    const QString folder = PrivateFolder(why);
    if (folder.isEmpty())
        return QString();
    // One program for each display of the user; the name has to be short
    // and plain.
    const QString display = qEnvironmentVariable("DISPLAY") + QLatin1Char('|') +
                            qEnvironmentVariable("WAYLAND_DISPLAY");
    return folder + QStringLiteral("/ravek-") +
           QString::fromLatin1(QCryptographicHash::hash(display.toUtf8(), QCryptographicHash::Sha1)
                                   .toHex()
                                   .left(16));
}

bool SingleInstance::HandOver(const QStringList& files) {
    const QString name = ServerName();
    return !name.isEmpty() && HandOverTo(name, files);
}

bool SingleInstance::HandOverTo(const QString& serverName, const QStringList& files) {
    if (files.size() > kMaxFiles)
        return false;
    QByteArray message;
    for (const QString& file : files)
        message += QByteArray::fromStdString(LocalPath::Bytes(LocalPath::Absolute(file))) + '\0';
    message += '\0';
    if (message.size() > kMaxMessageBytes)
        return false;
    QLocalSocket socket;
    socket.connectToServer(serverName);
    // The paths go only to a program of this user.
    if (!socket.waitForConnected(kWaitMs) || !PeerIsThisUser(socket.socketDescriptor()))
        return false;
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(kWaitMs))
            return false;
    }
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kWaitMs))
            return false;
    }
    return socket.readLine().trimmed() == "ok";
}

bool SingleInstance::Listen() {
    QString why;
    const QString name = ServerName(&why);
    if (name.isEmpty()) {
        qWarning("ravek: %s; every start keeps to itself", qPrintable(why));
        return false;
    }
    return ListenAt(name);
}

bool SingleInstance::ListenAt(const QString& serverName) {
    // Bound as it stands, never over an existing file (Qt's access options
    // would put the socket in place by renaming it over whatever has the
    // name); the folder is private, the socket made the user's alone.
    const QByteArray path = QFile::encodeName(serverName);
    const auto listen = [&] {
        if (!server_.listen(serverName))
            return false;
        ::chmod(path.constData(), 0600);
        return true;
    };
    if (listen())
        return true;
    // The user's own socket that nobody answers on was left by a program
    // that ended without closing it; anything else keeps its name.
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISSOCK(info.st_mode) ||
        info.st_uid != ::geteuid())
        return false;
    QLocalSocket probe;
    probe.connectToServer(serverName);
    if (probe.waitForConnected(kWaitMs))
        return false;
    ::unlink(path.constData());
    return listen();
}

void SingleInstance::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PeerIsThisUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // A peer that never finishes its message is not kept.
        QTimer::singleShot(kWaitMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Receive(socket); });
    }
}

void SingleInstance::Receive(QLocalSocket* socket) {
    auto received = socket->property("received").toByteArray();
    received += socket->read(kMaxMessageBytes + 1 - received.size());
    socket->setProperty("received", received);
    QStringList files;
    bool complete = false;
    if (received.size() > kMaxMessageBytes || !FilesOf(received, files, complete)) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    if (!complete)
        return;
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    // Answered at once: opening the files may take long (a large file, a
    // pipe that waits), and the other start gives up after kWaitMs.
    socket->write("ok\n");
    socket->flush();
    socket->disconnectFromServer();
    // Opened from the event loop, after this handler has returned.
    QTimer::singleShot(0, this, [this, files] { emit filesHanded(files); });
}
