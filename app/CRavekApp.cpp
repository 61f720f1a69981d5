#include "app/CRavekApp.h"
#include "app/UserGuide.h"
#include "app/UserGuideWindow.h"

#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CMolDoc.h"
#include "app/CRavekDoc.h"
#include "formats/DialogFilter.h"
#include "formats/FileFormat.h"
#include "formats/FileKind.h"
#include "platform/BackgroundOpen.h"
#include "platform/DocTemplate.h"
#include "platform/FileDialog.h"
#include "platform/FileFilter.h"
#include "platform/LocalPath.h"
#include "platform/MessageBox.h"
#include "res/CommandIds.h"
#include "res/Resources.h"
#include "res/SettingsKeys.h"
#include "view/CMolView.h"
#include "view/COptChartView.h"
#include "view/CPathChartView.h"
#include "view/CPlotView.h"
#include "view/CRavekView.h"
#include "view/CSpectrumView.h"
#include "view/JobSetWindow.h"
#include "view/MolViewCommands.h"
#include "view/PrinterChoice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QTimer>

#include <functional>
#include <type_traits>
#include <utility>

using namespace CommandIds;

template <class Doc, class ViewClass> DocTemplate::Factories CRavekApp::FactoriesOf() {
    DocTemplate::Factories factories;
    factories.document = [this] {
        auto document = std::make_unique<Doc>();
        Listen(document.get());
        return document;
    };
    factories.frame = [this](DocTemplate* docTemplate) -> ChildFrame* {
        auto* frame = new CChildFrame(docTemplate);
        mainFrame->MdiArea()->addSubWindow(frame);
        return frame;
    };
    factories.view = [](Document* document, QWidget* parent) -> View* {
        auto* view = new ViewClass(document, parent);
        if constexpr (std::is_same_v<ViewClass, CMolView>)
            MolViewCommands::Add(*view, view->Commands());
        return view;
    };
    return factories;
}

CRavekApp::CRavekApp()
    : recentFiles(QString::fromLatin1(Settings::kRecentSection),
                  QString::fromLatin1(Settings::kRecentEntry), Settings::kRecentCount,
                  Settings::kRecentDisplayLength) {
    BuildCommands();
}

CRavekApp::~CRavekApp() {
    CloseAllDocuments();
    mainFrame.reset();
    recentFiles.WriteList();
    pathTemplate.reset();
    chartTemplate.reset();
    spectrumTemplate.reset();
    plotTemplate.reset();
    moleculeTemplate.reset();
    placeholderTemplate.reset();
}

QWidget* CRavekApp::MainWidget() const {
    return mainFrame.get();
}

void CRavekApp::Listen(Document* document) {
    if (auto* molecule = qobject_cast<CMolDoc*>(document)) {
        connect(molecule, &CMolDoc::fileLoaded, this, &CRavekApp::OnFileLoaded);
        connect(molecule, &CMolDoc::plotRequested, this,
                [this, molecule] { OpenPlotWindow(molecule); });
        connect(molecule, &CMolDoc::spectrumRequested, this,
                [this, molecule](int kind) { OpenSpectrumWindow(molecule, kind); });
        connect(molecule, &CMolDoc::chartRequested, this,
                [this, molecule] { OpenChartWindow(molecule); });
        connect(molecule, &CMolDoc::pathRequested, this,
                [this, molecule] { OpenPathWindow(molecule); });
    }
}

void CRavekApp::OnFileLoaded(const QString& path) {
    recentFiles.Add(path);
    recentFiles.WriteList();
}

bool CRavekApp::OpenFiles(const QStringList& files) {
    // Files that come while others are being opened, or while a pipe is
    // read for any command (both answer events meanwhile), are opened after
    // them, in the order they came.
    if (openingFiles_ || BackgroundOpen::Reading()) {
        waitingFiles_ += files;
        if (!openingFiles_)
            QTimer::singleShot(kWaitingFilesMs, this, [this] { OpenFiles({}); });
        return true;
    }
    openingFiles_ = true;
    bool opened = false;
    for (QStringList batch = files + std::exchange(waitingFiles_, {}); !batch.isEmpty();
         batch = std::exchange(waitingFiles_, {})) {
        // A file named twice is opened once.
        for (QString& file : batch)
            file = LocalPath::Absolute(file);
        batch.removeDuplicates();
        // The files that cannot be opened are named in one box; the pipes
        // among them not open already are read together first, the windows
        // answering.
        MessageBox::Gathering failures;
        QStringList toRead;
        for (const QString& file : batch) {
            if (moleculeTemplate->FindOpenDocument(file) == nullptr)
                toRead << file;
        }
        const BackgroundOpen::Batch pipes(toRead, MainWidget());
        for (const QString& file : batch) {
            opened = moleculeTemplate->OpenDocumentFile(file) != nullptr || opened;
            // Between two files the windows draw and answer what waits.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        failures.Show(MainWidget());
    }
    openingFiles_ = false;
    return opened;
}

void CRavekApp::OpenHandedFiles(const QStringList& files) {
    if (mainFrame->isMinimized())
        mainFrame->showNormal();
    mainFrame->raise();
    mainFrame->activateWindow();
    OpenFiles(files);
}

bool CRavekApp::InitInstance(const QString& file) {
    return InitInstance(file.isEmpty() ? QStringList() : QStringList{file});
}

bool CRavekApp::InitInstance(const QStringList& files) {
    QCoreApplication::setOrganizationName(QStringLiteral("Pralt Software"));
    recentFiles.ReadList();

    placeholderTemplate = std::make_unique<DocTemplate>(
        ResourceIds::kPlaceholder, QString::fromUtf8(AppStrings::kPlaceholderTemplate),
        FactoriesOf<CRavekDoc, CRavekView>());
    moleculeTemplate = std::make_unique<DocTemplate>(
        ResourceIds::kMolecule, QString::fromUtf8(AppStrings::kMoleculeTemplate),
        FactoriesOf<CMolDoc, CMolView>());
    plotTemplate = std::make_unique<DocTemplate>(ResourceIds::kPlot,
                                                 QString::fromUtf8(AppStrings::kPlotTemplate),
                                                 FactoriesOf<CMolDoc, CPlotView>());
    spectrumTemplate = std::make_unique<DocTemplate>(
        ResourceIds::kSpectrum, QString::fromUtf8(AppStrings::kSpectrumTemplate),
        FactoriesOf<CMolDoc, CSpectrumView>());
    chartTemplate = std::make_unique<DocTemplate>(ResourceIds::kChart,
                                                  QString::fromUtf8(AppStrings::kChartTemplate),
                                                  FactoriesOf<CMolDoc, COptChartView>());
    pathTemplate = std::make_unique<DocTemplate>(ResourceIds::kPathChart,
                                                 QString::fromUtf8(AppStrings::kPathChartTemplate),
                                                 FactoriesOf<CMolDoc, CPathChartView>());

    mainFrame = std::make_unique<CMainFrame>(this, recentFiles);
    connect(mainFrame.get(), &CMainFrame::closing, this, &CRavekApp::CloseAllDocuments);
    connect(mainFrame.get(), &CMainFrame::filesDropped, this, &CRavekApp::OpenFiles);
    if (!mainFrame->LoadFrame())
        return false;

    // A window for each file; the start fails only when none opens.
    const bool opened = files.isEmpty() ? OnFileNew() != nullptr : OpenFiles(files);
    if (!opened)
        return false;
    mainFrame->show();
    mainFrame->Refresh();
    return true;
}

void CRavekApp::CloseAllDocuments() {
    for (DocTemplate* docTemplate : {spectrumTemplate.get(), plotTemplate.get(),
                                     moleculeTemplate.get(), placeholderTemplate.get()}) {
        if (docTemplate != nullptr)
            docTemplate->CloseAllDocuments();
    }
}

Document* CRavekApp::OnFileNew() {
    return moleculeTemplate->OpenDocumentFile(QString());
}

namespace {

// Calls step for each molecule window of document at the time.
void ForEachMoleculeView(Document* document, const std::function<void(CMolView&)>& step) {
    for (View* view : document->GetViews()) {
        if (auto* molecule = dynamic_cast<CMolView*>(view))
            step(*molecule);
    }
}

} // namespace

void CRavekApp::OpenPlotWindow(Document* document) {
    ChildFrame* frame = plotTemplate->CreateNewFrame(document);
    if (frame == nullptr)
        return;
    plotTemplate->InitialUpdateFrame(frame, document);
    if (auto* plot = dynamic_cast<CPlotView*>(frame->GetActiveView()))
        connect(plot, &CPlotView::residueChosen, this, [document](int residue) {
            ForEachMoleculeView(document,
                                [residue](CMolView& view) { view.SelectResidue(residue); });
        });
}

void CRavekApp::OpenSpectrumWindow(Document* document, int kind) {
    if (ChildFrame* frame = spectrumTemplate->CreateNewFrame(document)) {
        spectrumTemplate->InitialUpdateFrame(frame, document);
        if (auto* spectrum = dynamic_cast<CSpectrumView*>(frame->GetActiveView())) {
            spectrum->SetKind(static_cast<Spectrum::Kind>(kind));
            connect(spectrum, &CSpectrumView::modeChosen, this, [document](int mode) {
                ForEachMoleculeView(document, [mode](CMolView& view) { view.ChooseMode(mode); });
            });
            // Large enough for every control and label of the kind and a plot
            // below them, within the main window's area.
            if (!frame->isMaximized() && frame->widget() != nullptr &&
                frame->mdiArea() != nullptr) {
                const QSize margins = frame->size() - frame->widget()->size();
                const QSize controls = spectrum->sizeHint();
                const QSize wanted(std::max(560, controls.width()),
                                   std::max(420, controls.height() + 300));
                frame->resize((wanted + margins).boundedTo(frame->mdiArea()->viewport()->size()));
            }
        }
    }
}

void CRavekApp::OpenChartWindow(Document* document) {
    if (ChildFrame* frame = chartTemplate->CreateNewFrame(document))
        chartTemplate->InitialUpdateFrame(frame, document);
}

void CRavekApp::OpenPathWindow(Document* document) {
    ChildFrame* frame = pathTemplate->CreateNewFrame(document);
    if (frame == nullptr)
        return;
    pathTemplate->InitialUpdateFrame(frame, document);
    auto* path = dynamic_cast<CPathChartView*>(frame->GetActiveView());
    if (path == nullptr)
        return;
    // The measurements plotted along the path follow those of the molecule
    // windows.
    ForEachMoleculeView(document, [path](CMolView& view) {
        connect(&view, &CMolView::shownChanged, path, qOverload<>(&QWidget::update));
    });
    connect(path, &CPathChartView::animationRequested, this,
            [document](const std::vector<int>& geometries) {
                // The first molecule window runs it; every window shows it.
                bool started = false;
                ForEachMoleculeView(document, [&](CMolView& view) {
                    if (!started)
                        view.animator.StartAnimation(geometries);
                    started = true;
                });
            });
}

JobSetWindow* CRavekApp::OpenJobSetWindow(const QStringList& files) {
    auto* window = new JobSetWindow(MainWidget());
    window->setAttribute(Qt::WA_DeleteOnClose);
    // A job clicked opens its file as the Open command does (or shows the
    // window it is open in).
    connect(window, &JobSetWindow::openRequested, this, [this](const QString& path) {
        if (!path.isEmpty())
            OpenFiles({path});
    });
    window->show();
    if (!files.isEmpty())
        window->AddFiles(files);
    else
        QMetaObject::invokeMethod(window, &JobSetWindow::AskFiles, Qt::QueuedConnection);
    return window;
}

void CRavekApp::OnFileOpen() {
    const FileFilter filter(QString::fromStdString(FilterString(OpenFilters())));
    const FileDialog::Result chosen = FileDialog::Run(MainWidget(), FileDialog::kOpen, filter,
                                                      Profile::Read(Settings::kFilterIndex));
    if (!chosen.accepted)
        return;
    const FileKind kind = CMolDoc::KindForOpen(chosen.filterIndex, chosen.path);
    Document* document = nullptr;
    if (kind == FileKindFromPath(LocalPath::Bytes(chosen.path))) {
        document = moleculeTemplate->OpenDocumentFile(chosen.path);
    } else {
        // The filter decides the reader even against the name.
        document = moleculeTemplate->OpenDocumentWith(chosen.path, [&](Document* opening) {
            return static_cast<CMolDoc*>(opening)->OpenAs(chosen.path, kind, true) ==
                   CMolDoc::LoadResult::kLoaded;
        });
    }
    if (auto* molDoc = dynamic_cast<CMolDoc*>(document);
        molDoc != nullptr && chosen.filterIndex > 0)
        molDoc->openFilterIndex = chosen.filterIndex;
}

void CRavekApp::OnOpenRecentFile(int index) {
    const QString path = recentFiles[index];
    if (path.isEmpty())
        return;
    // The active window's document when it is a molecule document: the
    // entry is read into it, as its own Open would.
    ChildFrame* frame = mainFrame->ActiveChildFrame();
    auto* molecule =
        frame != nullptr ? qobject_cast<CMolDoc*>(frame->GetActiveDocument()) : nullptr;
    const FileKind kind = FileKindFromPath(LocalPath::Bytes(path));
    CMolDoc::LoadResult result = CMolDoc::LoadResult::kNotOpened;
    if (molecule == nullptr) {
        moleculeTemplate->OpenDocumentWith(path, [&](Document* opening) {
            result = static_cast<CMolDoc*>(opening)->OpenAs(path, kind);
            return result == CMolDoc::LoadResult::kLoaded;
        });
    } else {
        result = molecule->LoadPath(path, kind);
        molecule->UpdateAllViews(nullptr);
    }
    // A file that could not be opened leaves the list (found by its name:
    // the list may have changed meanwhile); one that was opened stays.
    if (result == CMolDoc::LoadResult::kNotOpened) {
        recentFiles.Remove(path);
        recentFiles.WriteList();
    }
}

void CRavekApp::OnAppAbout() {
    CAboutDlg dialog(MainWidget());
    dialog.exec();
}

void CRavekApp::OnHelpIndex() {
    const QString guide = UserGuidePath();
    if (QFileInfo::exists(guide))
        UserGuideWindow::Show(guide);
    else
        MessageBox::Show(
            MainWidget(),
            QCoreApplication::translate("CRavekApp", "ユーザーガイドを開けません。\n%1")
                .arg(QDir::toNativeSeparators(guide)),
            MessageBox::kWarning);
}

void CRavekApp::OnFilePrintSetup() {
    // The printer every later print and preview uses.
    QPageSetupDialog dialog(&PrinterChoice::Printer(), MainWidget());
    dialog.exec();
}

void CRavekApp::BuildCommands() {
    commands_.Add(kFileNew, [this] { OnFileNew(); });
    commands_.Add(kFileOpen, [this] { OnFileOpen(); });
    commands_.Add(kCompareJobs, [this] { OpenJobSetWindow({}); });
    commands_.Add(kFilePrintSetup, [this] { OnFilePrintSetup(); });
    commands_.Add(kAppAbout, [this] { OnAppAbout(); });
    commands_.Add(kHelpIndex, [this] { OnHelpIndex(); });
    commands_.Add(kHelp, [this] { OnHelpIndex(); });
    commands_.Add(kAppExit, [this] { mainFrame->close(); });
    for (int i = 0; i < Settings::kRecentCount; ++i)
        commands_.Add(kFileMru1 + i, [this, i] { OnOpenRecentFile(i); });
}

bool CRavekApp::OnCmdMsg(int id, CommandUpdate* update) {
    return commands_.Dispatch(id, update);
}
