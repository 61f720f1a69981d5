#pragma once

#include "platform/CommandTable.h"
#include "platform/CommandTarget.h"
#include "platform/DocTemplate.h"
#include "platform/Document.h"
#include "platform/RecentFileList.h"

#include <QObject>
#include <QStringList>

#include <memory>

class CMainFrame;
class DocTemplate;
class JobSetWindow;
class QWidget;

// The application: the three kinds of document window, the main window, the
// recent-file list of the File menu, and the commands nobody else handles.
class CRavekApp : public QObject, public CommandTarget {
    Q_OBJECT
public:
    CRavekApp();
    ~CRavekApp() override;

    // The start-up steps. Each of files is opened in a molecule window of
    // its own; without files one empty molecule window opens. False when
    // start-up fails (no file could be opened).
    bool InitInstance(const QStringList& files);
    // The same for one file, or none when file is empty.
    bool InitInstance(const QString& file);
    // Opens each file in a molecule window of its own (a file already open
    // is brought to the front), as files dropped or handed over are; one
    // box names those that cannot be opened, and a file that gives no
    // molecule opens no window (its box says why). Pipes are read on worker
    // threads, all at once, while the windows go on answering; files that
    // come meanwhile are opened after these. Whether any opened.
    bool OpenFiles(const QStringList& files);
    // Files a later start handed over: opened, and the main window brought
    // to the front.
    void OpenHandedFiles(const QStringList& files);
    // Closes every document window, so every owner writes its settings.
    void CloseAllDocuments();

    bool OnCmdMsg(int id, CommandUpdate* update) override;

    // File New: a new empty molecule window.
    Document* OnFileNew();
    // A new Ramachandran plot window on document.
    void OpenPlotWindow(Document* document);
    // Opens an IR spectrum window on document.
    void OpenSpectrumWindow(Document* document, int kind);
    // Opens an optimisation chart window on document.
    void OpenChartWindow(Document* document);
    // Opens a reaction path window on document.
    void OpenPathWindow(Document* document);
    // Opens a window comparing the jobs of files (asking for them when
    // none are given); it is kept until the program ends.
    JobSetWindow* OpenJobSetWindow(const QStringList& files);
    // The main window, as parent of dialogs; null before start-up.
    QWidget* MainWidget() const;

    CMainFrame* MainFrame() const { return mainFrame.get(); }

    std::unique_ptr<DocTemplate> placeholderTemplate;
    std::unique_ptr<DocTemplate> moleculeTemplate;
    std::unique_ptr<DocTemplate> plotTemplate;
    std::unique_ptr<DocTemplate> spectrumTemplate;
    std::unique_ptr<DocTemplate> chartTemplate;
    std::unique_ptr<DocTemplate> pathTemplate;

private:
    void OnFileOpen();
    // Opens recent entry index in the active molecule document, or in a new
    // window when there is none; an entry that cannot be opened leaves the
    // list.
    void OnOpenRecentFile(int index);
    // A document read path: it heads the recent-file list, saved at once.
    void OnFileLoaded(const QString& path);
    // Connects what a new document and its windows tell.
    void Listen(Document* document);
    void OnAppAbout();
    void OnHelpIndex();
    void OnFilePrintSetup();
    void BuildCommands();

    template <class Doc, class ViewClass> DocTemplate::Factories FactoriesOf();

    std::unique_ptr<CMainFrame> mainFrame;
    RecentFileList recentFiles;
    // Set while OpenFiles opens files; files that come meanwhile wait here.
    bool openingFiles_ = false;
    QStringList waitingFiles_;
    // How often files that wait for a pipe's reading look again.
    static constexpr int kWaitingFilesMs = 100;
    CommandTable commands_;
};
