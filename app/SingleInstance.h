#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

// One program per user and display: a start with files while one runs hands
// the files to the running one, which opens them, and ends. The running
// program listens on a local socket whose name holds the user and the
// display (RAVEK_INSTANCE names another, for tests).
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);

    // The socket name for this user and display.
    static QString ServerName();

    // Hands files (made absolute) to a running program; true when one took
    // them (then this start ends).
    static bool HandOver(const QStringList& files);

    // Becomes the running program others hand over to; false when another
    // became it first (this start then runs on its own).
    bool Listen();

signals:
    // A later start handed these files over (none: it was started bare).
    void filesHanded(const QStringList& files);

private:
    void Accept();
    QLocalServer server_;
};
