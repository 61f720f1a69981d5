#pragma once

#include "platform/CommandTable.h"
#include "platform/CommandTarget.h"
#include "platform/KeyboardLocks.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <array>
#include <map>
#include <vector>

class CMolView;
class COrbitalPanel;
class CMeasurementsPanel;
class CRepresentationsPanel;
class CResultsPanel;
class ChildFrame;
class QAction;
class QDockWidget;
class QLabel;
class QSpinBox;
class QMdiArea;
class QMenu;
class QToolBar;
class RecentFileList;
struct MenuItem;

// The main window: the menus of the active window's kind, the toolbar, the
// status bar with the atom description pane, the area of the document
// windows, and the window placement kept in the settings.
class CMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT
public:
    // application ends the command routing; recentFiles is the list the
    // File menu shows. Both outlive the window.
    CMainFrame(CommandTarget* application, const RecentFileList& recentFiles);
    ~CMainFrame() override;

    // Creates menus, toolbar and status bar and places the window at the
    // stored rectangle.
    bool LoadFrame();

    QMdiArea* MdiArea() const { return mdiArea_; }
    ChildFrame* ActiveChildFrame() const;
    // Every action by command number, for the routing and for tests.
    QAction* Action(int id) const;
    // The menus of a menu resource, in menu-bar order.
    const std::vector<QMenu*>& Menus(int resourceId);
    // The menu resource shown now.
    int CurrentMenu() const { return currentMenu_; }
    QLabel* AtomPane() const { return atomPane_; }
    QLabel* StepPane() const { return stepPane_; }
    // The keyboard indicator panes: kana, caps lock, num lock, scroll lock.
    const std::array<QLabel*, 4>& LockPanes() const { return lockPanes_; }
    // Shows in them the state of the lock keys now.
    void ShowKeyboardLocks();
    // The panel of orbitals and grids, following the active document. The
    // panels open from the View menu, or by themselves when a window gets
    // something for them while the setting says so.
    COrbitalPanel* OrbitalPanel() const { return orbitalPanel_; }
    CResultsPanel* ResultsPanel() const { return resultsPanel_; }
    CMeasurementsPanel* MeasurementsPanel() const { return measurementsPanel_; }
    CRepresentationsPanel* RepresentationsPanel() const { return representationsPanel_; }
    // Shows the active view's step text in the step pane.
    void ShowStep();

    // Runs command id through the routing: the active view, its document,
    // the child frame, this frame, the application. A command whose update
    // handler disables it does not run.
    void RunCommand(int id);
    // The state a command would show now.
    CommandUpdate QueryCommand(int id);
    // Renews the menu bar, title, toolbar states, panels and status panes
    // from the active window. Called when the active window changes, after
    // each command, and when the active document or its molecule windows
    // signal a change; never on a timer.
    void Refresh();

    bool OnCmdMsg(int id, CommandUpdate* update) override;

    // The window rectangle to use for a stored one (left, top, right,
    // bottom): at least 200 pixels each way, no larger than the available
    // area and inside it.
    static QRect SaneRect(int left, int top, int right, int bottom, const QRect& available);

    int savePosition;
    int windowLeft, windowTop, windowRight, windowBottom;
    int wasMaximised;
    int wasMinimised;

signals:
    // The window is closing: every document window is to close first.
    void closing();
    // Files were dropped on the window (or one of its molecule windows).
    void filesDropped(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Files are taken, as if chosen in the Open dialog; anything else (text,
    // a folder) is refused, and the cursor says so.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CommandTarget* application_;
    CommandTable commands_;
    const RecentFileList& recentFiles_;
    std::vector<CommandTarget*> CommandChain() const;
    void BuildCommands();
    // The panel a View menu command shows and hides.
    QDockWidget* PanelOf(int command) const;
    void CreateActions();
    QAction* MakeAction(int id, const QString& text);
    void BuildMenu(QMenu* menu, const std::vector<MenuItem>& items);
    void CreateToolBar();
    void CreateStatusBar();
    void UpdateActions(const QList<QAction*>& actions);
    void UpdateRecentFileActions();
    void UpdateWindowList(QMenu* menu);
    void ShowMenu(int resourceId);
    void CaptureWindowPlacement();
    void Cascade();
    void ArrangeIcons();
    // The screen area windows may use, and the size the frame adds to the
    // window's own.
    QRect AvailableArea() const;
    QSize FrameMargins() const;
    void OpenNewWindow();

    QMdiArea* mdiArea_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* atomPane_ = nullptr;
    QLabel* stepPane_ = nullptr;
    std::array<QLabel*, 4> lockPanes_{};
    // The state of the lock keys the panes show.
    KeyboardLocks locksShown_;
    // The number of the geometry shown, beside the step buttons: typed or
    // turned, it shows that geometry.
    QSpinBox* stepNumber_ = nullptr;
    COrbitalPanel* orbitalPanel_ = nullptr;
    CResultsPanel* resultsPanel_ = nullptr;
    CMeasurementsPanel* measurementsPanel_ = nullptr;
    CRepresentationsPanel* representationsPanel_ = nullptr;
    // The molecule window the measurements panel showed last, and how many
    // measurements it had.
    const CMolView* measuredView_ = nullptr;
    std::size_t measuredCount_ = 0;
    // The document the panel was last shown for, to show it again only
    // when another one (or another file) comes.
    const void* panelDocument_ = nullptr;
    int panelLoad_ = -1;
    // Listens to the active window's document and molecule windows, whose
    // signals refresh what the frame shows.
    void FollowActiveWindow();
    std::vector<QMetaObject::Connection> activeWatches_;
    // The molecule view the step box chooses the geometry of, and the count
    // and number the box shows: it is set only when they differ, since each
    // change of a spin box repaints the window.
    QPointer<CMolView> stepSource_;
    std::array<int, 2> stepShown_{-1, -1};
    std::map<int, QAction*> actions_;
    QAction* recentPlaceholder_ = nullptr;
    std::map<int, std::vector<QMenu*>> menus_;
    int currentMenu_ = 0;
    bool placementCaptured_ = false;
};
