#pragma once

#include "platform/CommandTarget.h"
#include "platform/Document.h"
#include "platform/RecentFileList.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class CMainFrame;
class DocTemplate;
class QWidget;

// The application: the three kinds of document window, the main window, the
// recent-file list of the File menu, and the commands nobody else handles.
class CRavekApp : public QObject, public CommandTarget {
    Q_OBJECT
public:
    CRavekApp();
    ~CRavekApp() override;

    // The start-up steps. file, when not empty, is opened in a molecule
    // window; otherwise one empty molecule window opens. False when start-up
    // fails (the file could not be opened).
    bool InitInstance(const QString& file);
    // Closes every document window, so every owner writes its settings.
    void CloseAllDocuments();

    bool OnCmdMsg(int id, CommandUpdate* update) override;

    // File New: a new empty molecule window.
    Document* OnFileNew();
    // A new Ramachandran plot window on currentDocument.
    void OpenPlotWindowOnCurrent();

    static CRavekApp* Instance();
    // The main window, as parent of dialogs; null before start-up.
    static QWidget* MainWidget();
    static void AddToRecentFileList(const QString& path);
    static const RecentFileList& RecentFiles();
    static void OpenPlotWindow();

    CMainFrame* MainFrame() const { return mainFrame.get(); }

    std::unique_ptr<DocTemplate> placeholderTemplate;
    std::unique_ptr<DocTemplate> moleculeTemplate;
    std::unique_ptr<DocTemplate> plotTemplate;
    QPointer<Document> currentDocument;

private:
    void OnFileOpen();
    void OnOpenRecentFile(int index);
    void OnAppAbout();
    void OnHelpIndex();
    void OnFilePrintSetup();

    std::unique_ptr<CMainFrame> mainFrame;
    RecentFileList recentFiles;
};
