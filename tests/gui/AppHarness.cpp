#include "AppHarness.h"

#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "app/CRavekApp.h"
#include "platform/ChildFrame.h"
#include "platform/MessageBox.h"
#include "tests/support/SmallFiles.h"
#include "view/CMolView.h"

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QSettings>
#include <QTest>

AppHarness::AppHarness() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("config"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath("config"));
    FileDialog::SetResponder([this](const FileDialog::Request& request) {
        dialogRequests.push_back(request);
        if (dialogAnswers.empty())
            return FileDialog::Result{};
        FileDialog::Result answer = dialogAnswers.front();
        dialogAnswers.pop_front();
        return answer;
    });
    MessageBox::SetResponder([this](const QString& text, MessageBox::Kind) {
        messages.append(text);
        return answerYes;
    });
}

AppHarness::~AppHarness() {
    Exit();
    FileDialog::SetResponder(nullptr);
    MessageBox::SetResponder(nullptr);
}

bool AppHarness::Start(const QString& file) {
    app_ = std::make_unique<CRavekApp>();
    const bool started = app_->InitInstance(file);
    QApplication::processEvents();
    return started;
}

void AppHarness::Exit() {
    if (app_ == nullptr)
        return;
    if (app_->MainFrame() != nullptr)
        app_->MainFrame()->close();
    app_.reset();
    QApplication::processEvents();
}

CMainFrame* AppHarness::MainFrame() const {
    return app_->MainFrame();
}

QList<ChildFrame*> AppHarness::Frames() const {
    QList<ChildFrame*> frames;
    for (QMdiSubWindow* window : MainFrame()->MdiArea()->subWindowList()) {
        if (auto* frame = qobject_cast<ChildFrame*>(window))
            frames.append(frame);
    }
    return frames;
}

ChildFrame* AppHarness::ActiveFrame() const {
    return MainFrame()->ActiveChildFrame();
}

CMolDoc* AppHarness::ActiveDocument() const {
    ChildFrame* frame = ActiveFrame();
    return frame != nullptr ? dynamic_cast<CMolDoc*>(frame->GetActiveDocument()) : nullptr;
}

CMolView* AppHarness::ActiveView() const {
    ChildFrame* frame = ActiveFrame();
    return frame != nullptr ? dynamic_cast<CMolView*>(frame->GetActiveView()) : nullptr;
}

void AppHarness::MdiActivate(int index) {
    MainFrame()->MdiArea()->setActiveSubWindow(Frames().at(index));
    QApplication::processEvents();
}

void AppHarness::Run(int id) {
    MainFrame()->RunCommand(id);
    // Closed windows go with deferred deletion; let it happen.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

bool AppHarness::IsEnabled(int id) {
    return MainFrame()->QueryCommand(id).enabled;
}

int AppHarness::Stored(const char* key, int missing) const {
    return QSettings().value(QStringLiteral("Settings/") + QLatin1String(key), missing).toInt();
}

void AppHarness::Store(const char* key, int value) const {
    QSettings().setValue(QStringLiteral("Settings/") + QLatin1String(key), value);
}

QString AppHarness::StoredString(const char* section, const char* key) const {
    return QSettings()
        .value(QLatin1String(section) + QLatin1Char('/') + QLatin1String(key))
        .toString();
}

void AppHarness::QueueDialogAnswer(const QString& path, int filterIndex) {
    dialogAnswers.push_back(FileDialog::Result{true, path, filterIndex});
}

QString AppHarness::Path(const QString& name) const {
    return dir_.filePath(name);
}

QString AppHarness::Write(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return Path(name);
}

QByteArray AppHarness::Read(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

namespace Fixtures {

const char* const kPeptidePdb =
    "ATOM      1  N   ALA A   1      -0.677  -1.230  -0.491  1.00  0.00           N\n"
    "ATOM      2  CA  ALA A   1      -0.001   0.064  -0.491  1.00  0.00           C\n"
    "ATOM      3  C   ALA A   1       1.499  -0.110  -0.491  1.00  0.00           C\n"
    "ATOM      4  O   ALA A   1       2.030  -1.227  -0.502  1.00  0.00           O\n"
    "ATOM      5  CB  ALA A   1      -0.509   0.856   0.727  1.00  0.00           C\n"
    "ATOM      6  N   GLY A   2       2.250   0.986  -0.479  1.00  0.00           N\n"
    "ATOM      7  H   GLY A   2       1.802   1.892  -0.471  1.00  0.00           H\n"
    "ATOM      8  CA  GLY A   2       3.707   0.944  -0.473  1.00  0.00           C\n"
    "ATOM      9  C   GLY A   2       4.231   2.370  -0.462  1.00  0.00           C\n"
    "ATOM     10  O   GLY A   2       3.443   3.322  -0.461  1.00  0.00           O\n"
    "ATOM     11  N   SER A   3       5.550   2.515  -0.453  1.00  0.00           N\n"
    "ATOM     12  H   SER A   3       6.143   1.698  -0.455  1.00  0.00           H\n"
    "ATOM     13  CA  SER A   3       6.176   3.829  -0.441  1.00  0.00           C\n"
    "ATOM     14  C   SER A   3       7.694   3.729  -0.433  1.00  0.00           C\n"
    "ATOM     15  O   SER A   3       8.280   2.648  -0.435  1.00  0.00           O\n"
    "ATOM     16  CB  SER A   3       5.715   4.626  -1.659  1.00  0.00           C\n"
    "ATOM     17  OG  SER A   3       6.289   5.925  -1.647  1.00  0.00           O\n"
    "END\n";

const char* const kWaterInput = SmallFiles::kWaterInput;

} // namespace Fixtures
