#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalSocket;

// One program per user and display: a start with files while one runs hands
// the files to the running one, which opens them, and ends.
//
// The running program listens on a local socket in a folder only the user
// can enter: $XDG_RUNTIME_DIR, else "ravek-UID" in the temporary folder
// (made with mode 0700). A folder of another owner, or one others may enter,
// is never used: every start then keeps to itself. The socket is the user's
// alone, the peer's user id is checked on both ends of every connection, a
// file found at the socket's name is removed only when it is the user's own
// socket that nobody answers on, and a message holds at most kMaxFiles paths
// in kMaxMessageBytes.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);

    static constexpr qint64 kMaxMessageBytes = qint64{1} << 20;
    static constexpr int kMaxFiles = 1000;

    // The socket's path for this user and display; empty when there is no
    // folder only the user can enter, with the reason in why.
    static QString ServerName(QString* why = nullptr);

    // Hands files (made absolute) to the program running for this user and
    // display; true when it took them (then this start ends). False when
    // none runs, when the one listening is another user's, or when the
    // files are too many to hand over.
    static bool HandOver(const QStringList& files);
    static bool HandOverTo(const QString& serverName, const QStringList& files);

    // Becomes the running program others hand over to; false when another
    // became it first or there is no private folder (this start then runs
    // on its own).
    bool Listen();
    // Listens at serverName, a path in a folder the caller has chosen.
    bool ListenAt(const QString& serverName);

signals:
    // A later start handed these files over. Emitted from the event loop
    // once the connection's own handler has returned, so that whatever
    // opening them shows (a message box with its own event loop) never runs
    // inside that handler.
    void filesHanded(const QStringList& files);

private:
    void Accept();
    void Receive(QLocalSocket* socket);
    QLocalServer server_;
};
