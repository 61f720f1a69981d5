#include "app/CRavekApp.h"

#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "app/CRavekDoc.h"
#include "formats/FileTypeFromPath.h"
#include "platform/DocTemplate.h"
#include "platform/FileDialog.h"
#include "platform/FileFilter.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "res/Resources.h"
#include "res/SettingsKeys.h"
#include "view/CMolView.h"
#include "view/CPlotView.h"
#include "view/CRavekView.h"
#include "view/PrinterChoice.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QUrl>

using namespace CommandIds;

namespace {

CRavekApp* theApp = nullptr;

template <class Doc, class ViewClass> DocTemplate::Factories FactoriesOf(CRavekApp* app) {
    DocTemplate::Factories factories;
    factories.document = [] { return std::make_unique<Doc>(); };
    factories.frame = [app](DocTemplate* docTemplate) -> ChildFrame* {
        auto* frame = new CChildFrame(docTemplate);
        app->MainFrame()->MdiArea()->addSubWindow(frame);
        return frame;
    };
    factories.view = [](Document* document, QWidget* parent) -> View* {
        return new ViewClass(document, parent);
    };
    return factories;
}

} // namespace

CRavekApp::CRavekApp()
    : recentFiles(QString::fromLatin1(Settings::kRecentSection),
                  QString::fromLatin1(Settings::kRecentEntry), Settings::kRecentCount,
                  Settings::kRecentDisplayLength) {
    theApp = this;
}

CRavekApp::~CRavekApp() {
    CloseAllDocuments();
    mainFrame.reset();
    recentFiles.WriteList();
    plotTemplate.reset();
    moleculeTemplate.reset();
    placeholderTemplate.reset();
    theApp = nullptr;
}

CRavekApp* CRavekApp::Instance() {
    return theApp;
}

QWidget* CRavekApp::MainWidget() {
    return theApp != nullptr ? theApp->mainFrame.get() : nullptr;
}

void CRavekApp::AddToRecentFileList(const QString& path) {
    if (theApp != nullptr)
        theApp->recentFiles.Add(path);
}

const RecentFileList& CRavekApp::RecentFiles() {
    return theApp->recentFiles;
}

void CRavekApp::OpenPlotWindow() {
    if (theApp != nullptr)
        theApp->OpenPlotWindowOnCurrent();
}

bool CRavekApp::InitInstance(const QString& file) {
    QCoreApplication::setOrganizationName(QStringLiteral("Pralt Software"));
    recentFiles.ReadList();

    placeholderTemplate = std::make_unique<DocTemplate>(
        ResourceIds::kPlaceholder, QString::fromUtf8(AppStrings::kPlaceholderTemplate),
        FactoriesOf<CRavekDoc, CRavekView>(this));
    moleculeTemplate = std::make_unique<DocTemplate>(
        ResourceIds::kMolecule, QString::fromUtf8(AppStrings::kMoleculeTemplate),
        FactoriesOf<CMolDoc, CMolView>(this));
    plotTemplate = std::make_unique<DocTemplate>(ResourceIds::kPlot,
                                                 QString::fromUtf8(AppStrings::kPlotTemplate),
                                                 FactoriesOf<CMolDoc, CPlotView>(this));

    mainFrame = std::make_unique<CMainFrame>();
    if (!mainFrame->LoadFrame())
        return false;

    const bool opened = file.isEmpty() ? OnFileNew() != nullptr
                                       : moleculeTemplate->OpenDocumentFile(file) != nullptr;
    if (!opened)
        return false;
    mainFrame->show();
    mainFrame->OnIdle();
    return true;
}

void CRavekApp::CloseAllDocuments() {
    for (DocTemplate* docTemplate :
         {plotTemplate.get(), moleculeTemplate.get(), placeholderTemplate.get()}) {
        if (docTemplate != nullptr)
            docTemplate->CloseAllDocuments();
    }
}

Document* CRavekApp::OnFileNew() {
    return moleculeTemplate->OpenDocumentFile(QString());
}

void CRavekApp::OpenPlotWindowOnCurrent() {
    Document* document = currentDocument.data();
    if (document == nullptr)
        return;
    if (ChildFrame* frame = plotTemplate->CreateNewFrame(document))
        plotTemplate->InitialUpdateFrame(frame, document);
}

void CRavekApp::OnFileOpen() {
    const FileFilter filter(QString::fromUtf8(AppStrings::kOpenFilter));
    const FileDialog::Result chosen = FileDialog::Run(MainWidget(), FileDialog::kOpen, filter,
                                                      Profile::Read(Settings::kFilterIndex));
    if (!chosen.accepted)
        return;
    const int byName = FileTypeFromPath(chosen.path.toStdString());
    const int type = chosen.filterIndex == 1   ? kFileTypeGaussian
                     : chosen.filterIndex == 2 ? kFileTypePdb
                                               : byName;
    Document* document = nullptr;
    if (type == byName) {
        document = moleculeTemplate->OpenDocumentFile(chosen.path);
    } else {
        // The filter decides the reader even against the name.
        const QString reason = Document::WhyUnreadable(chosen.path);
        if (!reason.isEmpty()) {
            MessageBox::ShowCannotOpen(MainWidget(), chosen.path, reason);
            return;
        }
        document = OnFileNew();
        if (auto* molDoc = dynamic_cast<CMolDoc*>(document)) {
            molDoc->LoadPath(chosen.path, type);
            molDoc->SetPathName(chosen.path);
            molDoc->UpdateAllViews(nullptr);
        }
    }
    if (auto* molDoc = dynamic_cast<CMolDoc*>(document);
        molDoc != nullptr && chosen.filterIndex > 0)
        molDoc->openFilterIndex = chosen.filterIndex;
}

void CRavekApp::OnOpenRecentFile(int index) {
    const QString path = recentFiles[index];
    if (path.isEmpty())
        return;
    if (moleculeTemplate->OpenDocumentFile(path) == nullptr)
        recentFiles.Remove(index);
}

void CRavekApp::OnAppAbout() {
    CAboutDlg dialog(MainWidget());
    dialog.exec();
}

void CRavekApp::OnHelpIndex() {
    const QString guide = QCoreApplication::applicationDirPath() + QStringLiteral("/README.md");
    if (!QFileInfo::exists(guide) || !QDesktopServices::openUrl(QUrl::fromLocalFile(guide)))
        MessageBox::Show(
            MainWidget(),
            QStringLiteral("ユーザーガイドを開けません。\n%1").arg(QDir::toNativeSeparators(guide)),
            MessageBox::kWarning);
}

void CRavekApp::OnFilePrintSetup() {
    // The printer every later print and preview uses.
    QPageSetupDialog dialog(&PrinterChoice::Printer(), MainWidget());
    dialog.exec();
}

bool CRavekApp::OnCmdMsg(int id, CommandUpdate* update) {
    const bool run = update == nullptr;
    switch (id) {
    case kFileNew:
        if (run)
            OnFileNew();
        return true;
    case kFileOpen:
        if (run)
            OnFileOpen();
        return true;
    case kFilePrintSetup:
        if (run)
            OnFilePrintSetup();
        return true;
    case kAppAbout:
        if (run)
            OnAppAbout();
        return true;
    case kHelpIndex:
    case kHelp:
        if (run)
            OnHelpIndex();
        return true;
    case kAppExit:
        if (run)
            mainFrame->close();
        return true;
    default:
        break;
    }
    const int recent = RecentFileIndex(id);
    if (recent >= 0 && run)
        OnOpenRecentFile(recent);
    return recent >= 0;
}
