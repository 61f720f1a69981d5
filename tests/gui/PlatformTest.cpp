// The framework stand-ins on their own: the recent-file list, filter strings
// and command routing.

#include "GuiTestMain.h"
#include "platform/CommandTable.h"
#include "platform/CommandTarget.h"
#include "platform/FileFilter.h"
#include "platform/LocalPath.h"
#include "platform/RecentFileList.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    void recentListKeepsFourNewestWithoutDuplicates();
    void recentDisplayNamesFitThirtyCharacters();
    void filterTextsShowAsWrittenAndMatchTheirPatterns();
    void firstTargetThatHandlesACommandWins();
    void commandTablesRunCheckAndDisable();
    void fileNamesKeepTheirBytes();
};

// A file name is bytes: those that are not UTF-8 (Latin-1 "é" as one byte,
// a cut sequence, an overlong form, a lone surrogate's encoding) come back
// from the program's text of the name byte for byte, are shown with U+FFFD
// as the file dialog lists them, are found again from that listing, kept
// in the recent files and taken from a dropped file's URL.
void PlatformTest::fileNamesKeepTheirBytes() {
    const std::string names[] = {
        "plain.pdb",          "日本語.pdb",          "caf\xE9.pdb", "cut\xE6\x97.pdb",
        "over\xC0\xAF.pdb",   "sur\xED\xA0\x80.pdb", "\xFF\xFE",    "emoji-\xF0\x9F\x98\x80.pdb",
        "big\xF4\x90\x80\x80"};
    for (const std::string& name : names)
        QCOMPARE(LocalPath::Bytes(LocalPath::FromBytes(name)), name);
    QCOMPARE(LocalPath::FromBytes("日本語.pdb"), QStringLiteral("日本語.pdb"));
    QCOMPARE(LocalPath::FromBytes("emoji-\xF0\x9F\x98\x80.pdb"),
             QString::fromUtf8("emoji-\xF0\x9F\x98\x80.pdb"));
    QCOMPARE(LocalPath::Display(LocalPath::FromBytes("caf\xE9.pdb")),
             QString::fromUtf8("caf\xEF\xBF\xBD.pdb"));
    QCOMPARE(LocalPath::Display(LocalPath::FromBytes("cut\xE6\x97.pdb")),
             QString::fromUtf8("cut\xEF\xBF\xBD\xEF\xBF\xBD.pdb"));
    // A character beyond U+FFFF whose low half lies where the escapes do
    // (U+1F480, D83D DC80) is shown as it is.
    QCOMPARE(LocalPath::Display(LocalPath::FromBytes("\xF0\x9F\x92\x80.log")),
             QString::fromUtf8("\xF0\x9F\x92\x80.log"));

    QTemporaryDir dir;
    const QString folder = LocalPath::FromBytes(QFile::encodeName(dir.path()).toStdString());
    const QString latin = folder + QLatin1Char('/') + LocalPath::FromBytes("caf\xE9.pdb");
    FILE* file = std::fopen(LocalPath::Bytes(latin).c_str(), "w");
    QVERIFY(file != nullptr);
    std::fclose(file);
    QVERIFY(LocalPath::IsRegularFile(latin));
    QVERIFY(!LocalPath::IsRegularFile(folder));
    QVERIFY(LocalPath::Exists(folder));
    // The dialog's listing of it, U+FFFD for the byte, leads back to it;
    // a name that is there, or that several names read as, stays as given.
    QCOMPARE(LocalPath::Resolve(LocalPath::Display(latin)), latin);
    QCOMPARE(LocalPath::Resolve(latin), latin);
    const QString other = folder + QLatin1Char('/') + LocalPath::FromBytes("caf\xE8.pdb");
    std::fclose(std::fopen(LocalPath::Bytes(other).c_str(), "w"));
    QCOMPARE(LocalPath::Resolve(LocalPath::Display(latin)), LocalPath::Display(latin));
    QCOMPARE(LocalPath::FileName(latin), LocalPath::FromBytes("caf\xE9.pdb"));
    // A file in a folder of such a name, named as the dialog would.
    const QString inner = folder + QLatin1Char('/') + LocalPath::FromBytes("d\xF8r");
    QCOMPARE(::mkdir(LocalPath::Bytes(inner).c_str(), 0700), 0);
    const QString deep = inner + QStringLiteral("/x.pdb");
    std::fclose(std::fopen(LocalPath::Bytes(deep).c_str(), "w"));
    QCOMPARE(LocalPath::Resolve(LocalPath::Display(deep)), deep);
    QVERIFY(LocalPath::IsDirectory(inner));
    QCOMPARE(LocalPath::Absolute(QStringLiteral("/a/./b/../c.pdb")), QStringLiteral("/a/c.pdb"));
    QVERIFY(LocalPath::Absolute(QStringLiteral("c.pdb")).endsWith(QStringLiteral("/c.pdb")));
    QVERIFY(LocalPath::Absolute(QStringLiteral("c.pdb")).startsWith(QLatin1Char('/')));

    // A dropped file: its URL's escapes are the name's bytes.
    QCOMPARE(LocalPath::FromUrl(QUrl(QStringLiteral("file:///tmp/caf%E9.pdb"))),
             LocalPath::FromBytes("/tmp/caf\xE9.pdb"));
    QCOMPARE(LocalPath::FromUrl(QUrl(QStringLiteral("file:///tmp/%E6%97%A5.pdb"))),
             QStringLiteral("/tmp/日.pdb"));
    QVERIFY(LocalPath::FromUrl(QUrl(QStringLiteral("https://example.org/a.pdb"))).isEmpty());

    // Kept in the recent files as it is.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    RecentFileList list("Recent File List", "File%1", 4, 30);
    list.Add(latin);
    list.Add(QStringLiteral("/plain.pdb"));
    list.WriteList();
    RecentFileList stored("Recent File List", "File%1", 4, 30);
    stored.ReadList();
    QCOMPARE(stored[1], latin);
    QCOMPARE(stored[0], QStringLiteral("/plain.pdb"));
    QVERIFY(!stored.GetDisplayName(1).contains(QChar(0xDCE9)));
    // Qt's own removal of the folder would not find these by their names.
    for (const QString& made : {deep, latin, other})
        QCOMPARE(std::remove(LocalPath::Bytes(made).c_str()), 0);
    QCOMPARE(::rmdir(LocalPath::Bytes(inner).c_str()), 0);
}

void PlatformTest::recentListKeepsFourNewestWithoutDuplicates() {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    RecentFileList list("Recent File List", "File%1", 4, 30);
    for (const char* path : {"/a.pdb", "/b.pdb", "/c.pdb", "/b.pdb", "/d.pdb", "/e.pdb"})
        list.Add(path);
    QCOMPARE(list.Count(), 4);
    QCOMPARE(list[0], QStringLiteral("/e.pdb"));
    QCOMPARE(list[1], QStringLiteral("/d.pdb"));
    QCOMPARE(list[2], QStringLiteral("/b.pdb"));
    QCOMPARE(list[3], QStringLiteral("/c.pdb"));
    list.WriteList();
    list.Remove(0);
    list.Remove(0);
    list.WriteList();
    RecentFileList stored("Recent File List", "File%1", 4, 30);
    stored.ReadList();
    QCOMPARE(stored.Count(), 2);
    QCOMPARE(stored[0], QStringLiteral("/b.pdb"));
    QVERIFY(!QSettings().contains("Recent File List/File3"));
}

void PlatformTest::recentDisplayNamesFitThirtyCharacters() {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    RecentFileList list("Recent File List", "File%1", 4, 30);
    list.Add("/home/user/proteins/crambin/1crn.pdb");
    list.Add("/short/1crn.pdb");
    list.Add("/x/" + QString(40, 'n') + ".pdb");
    QCOMPARE(list.GetDisplayName(1), QStringLiteral("/short/1crn.pdb"));
    QCOMPARE(list.GetDisplayName(2), QStringLiteral("/.../proteins/crambin/1crn.pdb"));
    // A name longer than the limit is shown whole rather than cut.
    QCOMPARE(list.GetDisplayName(0), QString(40, 'n') + ".pdb");
}

void PlatformTest::filterTextsShowAsWrittenAndMatchTheirPatterns() {
    const FileFilter filter("Gaussian Data (*.log; *.com)|*.log; *.com|All Files (*.*)|*.*||");
    QCOMPARE(filter.Count(), 2);
    QCOMPARE(filter.Text(1), QStringLiteral("Gaussian Data (*.log; *.com)"));
    QCOMPARE(filter.At(1), QStringLiteral("Gaussian Data (*.log; *.com) (*.log *.com)"));
    QCOMPARE(filter.At(2), QStringLiteral("All Files (*.*) (*)"));
    QCOMPARE(filter.IndexOf(filter.At(2)), 2);
    QCOMPARE(filter.IndexOf("Other (*.x)"), 0);
    QCOMPARE(filter.At(9), filter.At(1));
}

void PlatformTest::firstTargetThatHandlesACommandWins() {
    struct Target : CommandTarget {
        int handles;
        bool enabled;
        int runs = 0;
        Target(int id, bool on) : handles(id), enabled(on) {}
        bool OnCmdMsg(int id, CommandUpdate* update) override {
            if (id != handles)
                return false;
            if (update != nullptr)
                update->Enable(enabled);
            else
                ++runs;
            return true;
        }
    };
    Target view(1, false), app(1, true), other(2, true);
    CommandUpdate update;
    QVERIFY(RouteCommand({&view, nullptr, &app}, 1, &update));
    QVERIFY(!update.enabled);
    QVERIFY(RouteCommand({nullptr, &app}, 1, nullptr));
    QCOMPARE(app.runs, 1);
    CommandUpdate unhandled;
    QVERIFY(!RouteCommand({&other}, 1, &unhandled));
    QVERIFY(!unhandled.enabled);
}

// A table target in a chain: its commands are handled, others pass on; a
// disabled command never runs, even when run without asking first.
void PlatformTest::commandTablesRunCheckAndDisable() {
    struct Table : CommandTarget {
        CommandTable table;
        bool OnCmdMsg(int id, CommandUpdate* update) override { return table.Dispatch(id, update); }
    } target;
    int runs = 0;
    bool on = false;
    target.table.Add(1, [&] { ++runs; });
    target.table.AddCheck(
        2, [&] { on = !on; }, [&] { return on; });
    target.table.AddEnabled(
        3, [&] { runs += 10; }, [&] { return on; });

    CommandUpdate plain;
    QVERIFY(RouteCommand({&target}, 1, &plain));
    QVERIFY(plain.enabled);
    QCOMPARE(plain.checked, -1);
    QVERIFY(RouteCommand({&target}, 1, nullptr));
    QCOMPARE(runs, 1);

    CommandUpdate disabled;
    QVERIFY(RouteCommand({&target}, 3, &disabled));
    QVERIFY(!disabled.enabled);
    QVERIFY(RouteCommand({&target}, 3, nullptr));
    QCOMPARE(runs, 1);

    QVERIFY(RouteCommand({&target}, 2, nullptr));
    CommandUpdate checked, enabled;
    RouteCommand({&target}, 2, &checked);
    QCOMPARE(checked.checked, 1);
    RouteCommand({&target}, 3, &enabled);
    QVERIFY(enabled.enabled);
    RouteCommand({&target}, 3, nullptr);
    QCOMPARE(runs, 11);

    CommandUpdate unknown;
    QVERIFY(!RouteCommand({&target}, 4, &unknown));
    QVERIFY(!unknown.enabled);
}

RAVEK_GUI_TEST_MAIN(PlatformTest)
#include "PlatformTest.moc"
