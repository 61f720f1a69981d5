// One program per user and display: files handed over by a second start,
// the private folder of the socket, the peer's user id, the message limits.

#include "AppHarness.h"

#include "app/CMolDoc.h"
#include "app/CRavekApp.h"
#include "app/SingleInstance.h"
#include "platform/BackgroundOpen.h"
#include "platform/ChildFrame.h"
#include "platform/LocalPath.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The user id another local user has here (Debian's "nobody").
constexpr uid_t kOtherUser = 65534;

// Sets an environment variable while it lives.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

mode_t ModeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Runs ravek with arguments while this program's events go on (it may be the
// one answering); its exit code, or -1 when it still ran after waitMs.
int RunSecondStart(const QStringList& arguments, int waitMs) {
    QProcess process;
    process.start(QStringLiteral(RAVEK_BINARY), arguments);
    if (!process.waitForStarted(5000))
        return -2;
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && clock.elapsed() < waitMs)
        QTest::qWait(50);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
        return -1;
    }
    return process.exitCode();
}

// The address of a Unix socket at path (made before a fork: the child then
// allocates nothing).
sockaddr_un AddressOf(const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(),
                std::min<std::size_t>(name.size() + 1, sizeof address.sun_path - 1));
    return address;
}

// A Unix socket left behind by a program that ended: bound, never closed
// by its server.
bool LeaveStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = AddressOf(path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
}

// Waits (this program's events going on) for a child process; its exit
// code, or -1 when it did not end within waitMs.
int WaitForChild(pid_t child, int waitMs) {
    QElapsedTimer clock;
    clock.start();
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (clock.elapsed() > waitMs) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return -1;
        }
        QTest::qWait(20);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Sends bytes over a new connection to serverName and waits for the answer
// (this program may be the server); what came back before the server
// closed the connection or waitMs passed.
QByteArray Exchange(const QString& serverName, const QByteArray& bytes, int waitMs = 8000) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(2000))
        return "not connected";
    socket.write(bytes);
    QByteArray answer;
    QElapsedTimer clock;
    clock.start();
    while (socket.state() == QLocalSocket::ConnectedState && clock.elapsed() < waitMs) {
        QTest::qWait(20);
        answer += socket.readAll();
    }
    return answer + socket.readAll();
}

// Posts an event every 50 ms and keeps the longest time one waited before
// this program's event loop served it while pipes were being read.
class Heartbeat : public QObject {
public:
    Heartbeat() {
        connect(&timer_, &QTimer::timeout, this, [this] {
            QCoreApplication::postEvent(this, new QEvent(QEvent::User));
            sent_.start();
        });
        timer_.start(50);
        beat_.start();
    }
    // An event's wait, or the time between two beats beyond their 50 ms.
    qint64 longestWaitMs = 0;
    int servedWhileReading = 0;

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        const qint64 wait = std::max(sent_.elapsed(), beat_.restart() - 50);
        if (BackgroundOpen::Reading()) {
            longestWaitMs = std::max(longestWaitMs, wait);
            ++servedWhileReading;
        }
        return true;
    }

private:
    QTimer timer_;
    QElapsedTimer sent_, beat_;
};

// Writes text into the named pipe at path in pieces of a line, one every
// pauseMs, once a reader has opened it (within 10 s); the pipe's writer end
// is given up when the reader goes.
std::thread FeedPipe(const QString& path, const QByteArray& text, int pauseMs,
                     const std::atomic<bool>& stop) {
    return std::thread([name = QFile::encodeName(path), text, pauseMs, &stop] {
        int fd = -1;
        for (int tries = 0; fd < 0 && tries < 1000 && !stop; ++tries) {
            fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
            if (fd < 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (fd < 0)
            return;
        ::fcntl(fd, F_SETFL, 0);
        for (const QByteArray& line : text.split('\n')) {
            if (stop || ::write(fd, (line + '\n').constData(), line.size() + 1) < 0)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        }
        ::close(fd);
    });
}

// The program running with a file open, listening for later starts in a
// runtime folder of its own and opening what they hand over.
struct RunningProgram {
    RunningProgram() : env("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path())) {}
    bool Start() {
        if (!h.Start(h.Write("a.pdb", Fixtures::kPeptidePdb)) || !instance.Listen())
            return false;
        QObject::connect(&instance, &SingleInstance::filesHanded, h.App(),
                         &CRavekApp::OpenHandedFiles);
        return true;
    }
    QTemporaryDir runtime;
    ScopedEnv env;
    AppHarness h;
    SingleInstance instance;
};

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void aSecondStartHandsItsFilesToTheRunningProgram();
    void filesThatCannotBeOpenedAreNamedInOneBoxAndTheProgramLivesOn();
    void theSocketLivesOnlyInAFolderOnlyTheUserCanEnter();
    void aFoundFileIsRemovedOnlyWhenItIsTheUsersOwnDeadSocket();
    void aPeerOfAnotherUserIsRefusedOnBothEnds();
    void messagesBeyondTheirLimitsAreRefused();
    void handedOverPipesNeverHoldTheWindow();
    void aNameThatIsNotUtf8IsHandedOverAsItIs();
    void filesHandedOverWhileAPipeIsReadWaitForIt();
};

// A second ravek process with a file while this program runs: the file
// opens here and the second process ends; a batch picture, and a start with
// --new-instance, keep to themselves.
void SingleInstanceTest::aSecondStartHandsItsFilesToTheRunningProgram() {
    RunningProgram running;
    QVERIFY(running.Start());
    AppHarness& h = running.h;
    QVERIFY(SingleInstance::ServerName().startsWith(running.runtime.path() + QLatin1Char('/')));
    QCOMPARE(ModeOf(SingleInstance::ServerName()), mode_t{0600});

    const QString b = h.Write("b.pdb", Fixtures::kPeptidePdb);
    QCOMPARE(RunSecondStart({b}, 15000), 0);
    QTRY_COMPARE(h.Frames().size(), 2);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("b.pdb"));

    const QString picture = h.Path("c.png");
    QCOMPARE(RunSecondStart(
                 {QStringLiteral("--screenshot"), picture, h.Write("c.pdb", Fixtures::kPeptidePdb)},
                 30000),
             0);
    QVERIFY(QFileInfo::exists(picture));
    QCOMPARE(h.Frames().size(), 2);
    QCOMPARE(RunSecondStart(
                 {QStringLiteral("--new-instance"), h.Write("d.pdb", Fixtures::kPeptidePdb)}, 3000),
             -1);
    QCOMPARE(h.Frames().size(), 2);
    // A start without files is a program of its own (it once only brought
    // this one to the front and ended).
    QCOMPARE(RunSecondStart({}, 3000), -1);
    QCOMPARE(h.Frames().size(), 2);
}

// A file that is missing, a folder and a readable file handed over at once:
// the readable one opens, one box names the other two, and after its OK the
// program goes on taking files. (The box's own event loop once ran inside
// the socket's handler, which the socket's end deleted under it.)
void SingleInstanceTest::filesThatCannotBeOpenedAreNamedInOneBoxAndTheProgramLivesOn() {
    RunningProgram running;
    QVERIFY(running.Start());
    AppHarness& h = running.h;

    const QString missing = h.Path("no-such-file.pdb");
    const QString folder = h.Path("folder.pdb");
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(RunSecondStart({missing, folder, h.Write("b.pdb", Fixtures::kPeptidePdb)}, 15000), 0);
    QTRY_COMPARE(h.Frames().size(), 2);
    QStringList messages;
    QTRY_VERIFY((messages += h.TakeMessages()).size() >= 1);
    QTest::qWait(200);
    messages += h.TakeMessages();
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.front().contains(missing));
    QVERIFY(messages.front().contains(folder));
    QVERIFY(!messages.front().contains(QStringLiteral("b.pdb")));

    // One file that fails alone is named as the program always names it.
    QCOMPARE(RunSecondStart({missing}, 15000), 0);
    messages.clear();
    QTRY_VERIFY((messages += h.TakeMessages()).size() >= 1);
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.front().startsWith(QStringLiteral("ファイル %1 を開けません。").arg(missing)));

    QCOMPARE(RunSecondStart({h.Write("c.pdb", Fixtures::kPeptidePdb)}, 15000), 0);
    QTRY_COMPARE(h.Frames().size(), 3);

    // Thirty that fail: a box no taller than the screen names the first
    // ones and how many more, its details all of them.
    QStringList many;
    for (int i = 0; i < 30; ++i)
        many << h.Path(QStringLiteral("gone-%1.pdb").arg(i));
    QString details;
    h.seeEveryDialog = [&details](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog))
            details = box->detailedText();
    };
    QCOMPARE(RunSecondStart(many, 15000), 0);
    messages.clear();
    QTRY_VERIFY((messages += h.TakeMessages()).size() >= 1);
    h.seeEveryDialog = nullptr;
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.front().count(QLatin1Char('\n')), 1 + MessageBox::Gathering::kShownFiles);
    QVERIFY(messages.front().endsWith(QStringLiteral("ほか 18 個のファイル")));
    QCOMPARE(details.count(QLatin1Char('\n')), 29);
    QVERIFY(details.contains(many.back()));

    // Files that take long to open (pipes nobody writes to, each given up
    // after 2 s, 6 s in all): the other start is answered at once and ends
    // (0), instead of giving up waiting after 5 s and running a program of
    // its own (-1).
    QStringList slow;
    for (const char* name : {"p1.pdb", "p2.pdb", "p3.pdb"}) {
        slow << h.Path(QString::fromLatin1(name));
        QVERIFY(::mkfifo(QFile::encodeName(slow.back()).constData(), 0600) == 0);
    }
    QCOMPARE(RunSecondStart(slow, 15000), 0);
    messages.clear();
    QTRY_VERIFY_WITH_TIMEOUT((messages += h.TakeMessages()).size() >= 1, 15000);
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.front().contains(QStringLiteral("p3.pdb")));
    QCOMPARE(h.Frames().size(), 3); // no empty window for a file not read
}

// Ten named pipes handed over at once, three of them fed a line at a time
// and seven nobody writes to: they are read together on their own threads
// while this program goes on serving its events (a posted event waits no
// more than 200 ms), the fed ones open and the silent ones are named in one
// box after their two seconds. A pipe whose writer never ends is stopped
// with the progress box's キャンセル. Found wrong: the window froze for two
// seconds a pipe, and for as long as a pipe was fed.
void SingleInstanceTest::handedOverPipesNeverHoldTheWindow() {
    std::signal(SIGPIPE, SIG_IGN);
    RunningProgram running;
    QVERIFY(running.Start());
    AppHarness& h = running.h;

    QStringList pipes;
    for (int i = 0; i < 10; ++i) {
        pipes << h.Path(QStringLiteral("pipe-%1.pdb").arg(i));
        QVERIFY(::mkfifo(QFile::encodeName(pipes.back()).constData(), 0600) == 0);
    }
    std::atomic<bool> stop{false};
    std::vector<std::thread> writers;
    for (int i = 0; i < 3; ++i)
        writers.push_back(FeedPipe(pipes[i], Fixtures::kPeptidePdb, 20, stop));
    Heartbeat heartbeat;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(RunSecondStart(pipes, 15000), 0);
    QStringList messages;
    QTRY_VERIFY_WITH_TIMEOUT((messages += h.TakeMessages()).size() >= 1, 15000);
    const qint64 took = clock.elapsed();
    for (std::thread& writer : writers)
        writer.join();
    QCOMPARE(h.Frames().size(), 4);
    QCOMPARE(messages.size(), 1);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(messages.front().contains(QFileInfo(pipes[i]).fileName()), i >= 3);
    QVERIFY(h.progressShown);
    // Together, not one after another (seven silent pipes one at a time
    // took 14 s).
    QVERIFY2(took < 7000, qPrintable(QString::number(took)));
    QVERIFY2(heartbeat.longestWaitMs < 200, qPrintable(QString::number(heartbeat.longestWaitMs)));
    // The silent pipes were waited for two seconds: beats came all along.
    QVERIFY2(heartbeat.servedWhileReading > 20,
             qPrintable(QString::number(heartbeat.servedWhileReading)));

    // A writer that never ends: its reading is stopped as a person stops it.
    const QString endless = h.Path("endless.pdb");
    QVERIFY(::mkfifo(QFile::encodeName(endless).constData(), 0600) == 0);
    QByteArray lines;
    for (int i = 0; i < 10000; ++i)
        lines += "REMARK   1 A LINE A SECOND, OR FASTER\n";
    std::thread writer = FeedPipe(endless, lines, 50, stop);
    QTimer cancel;
    connect(&cancel, &QTimer::timeout, this, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(widget);
            if (progress != nullptr && progress->isVisible() && clock.elapsed() > 1500)
                AppHarness::PressButton(progress, QStringLiteral("キャンセル"));
        }
    });
    cancel.start(100);
    clock.restart();
    QCOMPARE(RunSecondStart({endless}, 15000), 0);
    QTRY_VERIFY_WITH_TIMEOUT(clock.elapsed() > 1500 && QApplication::activeModalWidget() == nullptr,
                             10000);
    QTest::qWait(300);
    QCOMPARE(h.Frames().size(), 4);
    QVERIFY(h.TakeMessages().isEmpty()); // stopped on purpose: nothing to say
    QVERIFY2(heartbeat.longestWaitMs < 200, qPrintable(QString::number(heartbeat.longestWaitMs)));
    stop = true;
    writer.join();
}

// A later start with a file whose name's bytes are not UTF-8 (given to it
// as bytes, as a shell gives them): the running program opens that file.
void SingleInstanceTest::aNameThatIsNotUtf8IsHandedOverAsItIs() {
    RunningProgram running;
    QVERIFY(running.Start());
    AppHarness& h = running.h;
    const std::string latin = QFile::encodeName(h.Path(QString())).toStdString() + "/caf\xE9.pdb";
    FILE* out = std::fopen(latin.c_str(), "w");
    QVERIFY(out != nullptr);
    std::fputs(Fixtures::kPeptidePdb, out);
    std::fclose(out);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(RAVEK_BINARY, "ravek", latin.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    QCOMPARE(WaitForChild(child, 15000), 0);
    QTRY_COMPARE(h.Frames().size(), 2);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QString::fromUtf8("caf\xEF\xBF\xBD.pdb"));
    QCOMPARE(LocalPath::Bytes(h.ActiveDocument()->GetPathName()), latin);
    QVERIFY(h.TakeMessages().isEmpty());
    std::remove(latin.c_str());
}

// A file handed over while a window reads a pipe (its own Open, not a
// batch) is opened once the pipe has been read, not in the middle of it.
void SingleInstanceTest::filesHandedOverWhileAPipeIsReadWaitForIt() {
    std::signal(SIGPIPE, SIG_IGN);
    RunningProgram running;
    QVERIFY(running.Start());
    AppHarness& h = running.h;
    const QString fifo = h.Path(QStringLiteral("slow.pdb"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    std::atomic<bool> stop{false};
    std::thread writer = FeedPipe(fifo, Fixtures::kPeptidePdb, 30, stop);
    const QString b = h.Write("b.pdb", Fixtures::kPeptidePdb);
    int handedOver = -1;
    qsizetype framesMeanwhile = -1;
    QTimer::singleShot(300, [&] {
        handedOver = RunSecondStart({b}, 15000);
        QTest::qWait(200);
        framesMeanwhile = h.Frames().size();
    });
    QCOMPARE(h.ActiveDocument()->LoadPath(fifo, FileKind::kPdb), CMolDoc::LoadResult::kLoaded);
    writer.join();
    QCOMPARE(handedOver, 0);
    QCOMPARE(framesMeanwhile, qsizetype{1});
    QTRY_COMPARE(h.Frames().size(), 2);
    QCOMPARE(h.ActiveFrame()->windowTitle(), QStringLiteral("b.pdb"));
    QVERIFY(h.TakeMessages().isEmpty());
}

// $XDG_RUNTIME_DIR when only the user can enter it, else the user's own
// folder in the temporary folder, made with mode 0700; a folder others may
// enter, another user's, or a link in its place is not used at all.
void SingleInstanceTest::theSocketLivesOnlyInAFolderOnlyTheUserCanEnter() {
    QTemporaryDir runtime, temporary;
    const ScopedEnv env("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const ScopedEnv tmp("TMPDIR", QFile::encodeName(temporary.path()));
    const QString own = temporary.path() + QStringLiteral("/ravek-%1").arg(::geteuid());

    QVERIFY(::chmod(QFile::encodeName(runtime.path()).constData(), 0755) == 0);
    QString name = SingleInstance::ServerName();
    QVERIFY2(name.startsWith(own + QLatin1Char('/')), qPrintable(name));
    QCOMPARE(ModeOf(own), mode_t{0700});

    QVERIFY(::chmod(QFile::encodeName(own).constData(), 0777) == 0);
    QString why;
    QVERIFY(SingleInstance::ServerName(&why).isEmpty());
    QVERIFY2(why.contains(QStringLiteral("others may enter it (mode 0777)")), qPrintable(why));
    SingleInstance refused;
    QVERIFY(!refused.Listen());
    QVERIFY(!SingleInstance::HandOver({QStringLiteral("/etc/hostname")}));
    QVERIFY(QDir(own).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    QVERIFY(QDir(own).removeRecursively());
    QVERIFY(QFile::link(runtime.path(), own));
    QVERIFY(SingleInstance::ServerName(&why).isEmpty());
    QVERIFY2(why.contains(QStringLiteral("not a folder")), qPrintable(why));
    QVERIFY(QFile::remove(own));

    if (::geteuid() == 0) {
        QVERIFY(QDir().mkdir(own));
        QVERIFY(::chmod(QFile::encodeName(own).constData(), 0700) == 0);
        QVERIFY(::chown(QFile::encodeName(own).constData(), kOtherUser, kOtherUser) == 0);
        QVERIFY(SingleInstance::ServerName(&why).isEmpty());
        QVERIFY2(why.contains(QStringLiteral("belongs to another user")), qPrintable(why));
        QVERIFY(QDir(own).removeRecursively());
    }

    // A private runtime folder is the one used.
    QVERIFY(::chmod(QFile::encodeName(runtime.path()).constData(), 0700) == 0);
    QVERIFY(SingleInstance::ServerName().startsWith(runtime.path() + QLatin1Char('/')));
}

// Whatever has the socket's name is left alone unless it is the user's own
// socket that nobody answers on: a planted file stays (and this start keeps
// to itself), a live program's socket stays, a dead one is replaced.
void SingleInstanceTest::aFoundFileIsRemovedOnlyWhenItIsTheUsersOwnDeadSocket() {
    QTemporaryDir runtime;
    const ScopedEnv env("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const QString name = SingleInstance::ServerName();

    QFile planted(name);
    QVERIFY(planted.open(QIODevice::WriteOnly));
    planted.write("kept");
    planted.close();
    SingleInstance first;
    QVERIFY(!first.Listen());
    QVERIFY(!SingleInstance::HandOver({QStringLiteral("/etc/hostname")}));
    QVERIFY(planted.open(QIODevice::ReadOnly));
    QCOMPARE(planted.readAll(), QByteArray("kept"));
    planted.close();
    QVERIFY(QFile::remove(name));

    QVERIFY(LeaveStaleSocket(name));
    SingleInstance second;
    QVERIFY(second.Listen());
    QCOMPARE(ModeOf(name), mode_t{0600});
    SingleInstance third;
    QVERIFY(!third.Listen()); // the second answers there
    QSignalSpy handed(&second, &SingleInstance::filesHanded);
    QCOMPARE(Exchange(name, QByteArray("/etc/hostname\0\0", 15)), QByteArray("ok\n"));
    QTRY_COMPARE(handed.size(), 1);
    QCOMPARE(handed.front().front().toStringList(), QStringList{QStringLiteral("/etc/hostname")});
}

// A process of another user may neither hand files to this user's program
// nor receive this user's: the peer's user id is checked on each end (here
// with the socket in a folder anyone may enter, as the folder check would
// otherwise keep the other user out).
void SingleInstanceTest::aPeerOfAnotherUserIsRefusedOnBothEnds() {
    if (::geteuid() != 0)
        QSKIP("only the super-user can act as another user");
    QTemporaryDir open;
    QVERIFY(::chmod(QFile::encodeName(open.path()).constData(), 0777) == 0);
    const QString ours = open.path() + QStringLiteral("/ours");
    SingleInstance instance;
    QVERIFY(instance.ListenAt(ours));
    QVERIFY(::chmod(QFile::encodeName(ours).constData(), 0777) == 0);
    QSignalSpy handed(&instance, &SingleInstance::filesHanded);

    // Another user connects and sends a file: no answer, nothing opened.
    sockaddr_un oursAddress = AddressOf(ours);
    const pid_t sender = ::fork();
    if (sender == 0) {
        if (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0)
            ::_exit(3);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&oursAddress), sizeof oursAddress) != 0)
            ::_exit(4);
        const char message[] = "/etc/hostname\0";
        if (::write(fd, message, sizeof message) != static_cast<ssize_t>(sizeof message))
            ::_exit(5);
        char answer[8];
        const ssize_t got = ::read(fd, answer, sizeof answer);
        ::_exit(got > 0 ? 1 : 0);
    }
    QCOMPARE(WaitForChild(sender, 10000), 0);
    QTest::qWait(100);
    QCOMPARE(handed.size(), 0);

    // Another user's program listens where this user's hands over: the paths
    // are never written to it.
    const QString theirs = open.path() + QStringLiteral("/theirs");
    int ready[2];
    QVERIFY(::pipe(ready) == 0);
    sockaddr_un theirsAddress = AddressOf(theirs);
    const pid_t listener = ::fork();
    if (listener == 0) {
        if (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0)
            ::_exit(3);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::bind(fd, reinterpret_cast<sockaddr*>(&theirsAddress), sizeof theirsAddress) != 0 ||
            ::listen(fd, 1) != 0)
            ::_exit(4);
        (void)::write(ready[1], "r", 1);
        const int peer = ::accept(fd, nullptr, nullptr);
        char bytes[256];
        ssize_t total = 0;
        for (ssize_t n; (n = ::read(peer, bytes, sizeof bytes)) > 0;)
            total += n;
        ::_exit(total > 0 ? 1 : 0);
    }
    char byte = 0;
    QCOMPARE(::read(ready[0], &byte, 1), ssize_t{1});
    ::close(ready[0]);
    ::close(ready[1]);
    QVERIFY(!SingleInstance::HandOverTo(theirs, {QStringLiteral("/root/secret.pdb")}));
    QCOMPARE(WaitForChild(listener, 10000), 0);
}

// At most 1,000 absolute paths in at most 1 MiB: a start with more keeps
// them to itself, and the running program drops a connection that sends
// more, a relative path, or nothing at all.
void SingleInstanceTest::messagesBeyondTheirLimitsAreRefused() {
    QTemporaryDir runtime;
    const ScopedEnv env("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    SingleInstance instance;
    QVERIFY(instance.Listen());
    const QString name = SingleInstance::ServerName();
    QSignalSpy handed(&instance, &SingleInstance::filesHanded);

    QStringList many;
    for (int i = 0; i <= SingleInstance::kMaxFiles; ++i)
        many << QStringLiteral("/tmp/%1.pdb").arg(i);
    QVERIFY(!SingleInstance::HandOverTo(name, many)); // without a connection
    QByteArray tooMany;
    for (const QString& path : many)
        tooMany += path.toUtf8() + '\0';
    QCOMPARE(Exchange(name, tooMany + '\0'), QByteArray());
    QCOMPARE(Exchange(name, QByteArray(SingleInstance::kMaxMessageBytes + 1, 'a')), QByteArray());
    QCOMPARE(Exchange(name, QByteArray("relative.pdb\0\0", 14)), QByteArray());
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(Exchange(name, QByteArray(), 20000), QByteArray()); // silent: dropped
    QVERIFY(clock.elapsed() < 15000);
    QTest::qWait(100);
    QCOMPARE(handed.size(), 0);

    // As many as may be, names with blanks and line ends among them.
    many.removeLast();
    many.replace(0, QStringLiteral("/a b.pdb"));
    many.replace(1, QStringLiteral("/c\n.pdb"));
    QByteArray most;
    for (const QString& path : many)
        most += path.toUtf8() + '\0';
    QCOMPARE(Exchange(name, most + '\0'), QByteArray("ok\n"));
    QTRY_COMPARE(handed.size(), 1);
    QCOMPARE(handed.back().front().toStringList(), many);
}

#include "GuiTestMain.h"
RAVEK_GUI_TEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
