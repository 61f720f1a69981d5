#include "app/CMainFrame.h"
#include "view/CMeasurementsPanel.h"
#include "view/COrbitalPanel.h"
#include "view/CRepresentationsPanel.h"
#include "view/CResultsPanel.h"

#include "app/CMolDoc.h"

#include "platform/BackgroundOpen.h"
#include "platform/ChildFrame.h"
#include "platform/DocTemplate.h"
#include "platform/Document.h"
#include "platform/LocalPath.h"
#include "platform/RecentFileList.h"
#include "platform/View.h"
#include "res/CommandIds.h"
#include "res/Resources.h"
#include "res/SettingsKeys.h"
#include "view/CMolView.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThis>

#include <algorithm>

using namespace CommandIds;

namespace {

// The first line of a command string is the status-bar prompt, the second
// the tooltip.
QStringList SplitCommandString(int id) {
    const char* text = CommandString(id);
    return text != nullptr ? QCoreApplication::translate("Command", text).split(QLatin1Char('\n'))
                           : QStringList();
}

// The measuring buttons' icons, drawn here (no icon theme has them): two,
// three or four atoms joined by the dashed line, arc or chain they measure.
QIcon MeasureIcon(int atoms) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    static const QPointF kPlaces[3][4] = {
        {{5, 27}, {27, 5}}, {{4, 26}, {16, 8}, {28, 26}}, {{3, 10}, {11, 24}, {21, 8}, {29, 22}}};
    const QPointF* places = kPlaces[atoms - 2];
    painter.setPen(QPen(QColor(200, 150, 0), 2.5, Qt::DashLine));
    for (int k = 1; k < atoms; ++k)
        painter.drawLine(places[k - 1], places[k]);
    if (atoms == 3)
        painter.drawArc(QRectF(8, 0, 16, 16), 236 * 16, 68 * 16);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 60, 60));
    for (int k = 0; k < atoms; ++k)
        painter.drawEllipse(places[k], 4.0, 4.0);
    return QIcon(pixmap);
}

QIcon ToolbarIcon(const QStyle* style, int id) {
    if (id == kMeasureDistance || id == kMeasureAngle || id == kMeasureDihedral)
        return MeasureIcon(id == kMeasureDistance ? 2 : id == kMeasureAngle ? 3 : 4);
    struct IconName {
        int id;
        const char* theme;
        QStyle::StandardPixmap fallback;
    };
    static const IconName names[] = {
        {kFileNew, "document-new", QStyle::SP_FileIcon},
        {kFileOpen, "document-open", QStyle::SP_DialogOpenButton},
        {kFileSave, "document-save", QStyle::SP_DialogSaveButton},
        {kEditCut, "edit-cut", QStyle::SP_CustomBase},
        {kEditCopy, "edit-copy", QStyle::SP_CustomBase},
        {kEditPaste, "edit-paste", QStyle::SP_CustomBase},
        {kFilePrint, "document-print", QStyle::SP_CustomBase},
        {kResetView, "zoom-fit-best", QStyle::SP_BrowserReload},
        {kAppAbout, "help-about", QStyle::SP_MessageBoxInformation},
        {kContextHelp, "help-contextual", QStyle::SP_TitleBarContextHelpButton},
        {kStepFirst, "go-first", QStyle::SP_MediaSkipBackward},
        {kStepPrevious, "go-previous", QStyle::SP_MediaSeekBackward},
        {kStepNext, "go-next", QStyle::SP_MediaSeekForward},
        {kStepLast, "go-last", QStyle::SP_MediaSkipForward},
        {kAnimation, "media-playback-start", QStyle::SP_MediaPlay},
    };
    for (const IconName& name : names) {
        if (name.id != id)
            continue;
        const QIcon fallback =
            name.fallback == QStyle::SP_CustomBase ? QIcon() : style->standardIcon(name.fallback);
        return QIcon::fromTheme(QString::fromLatin1(name.theme), fallback);
    }
    return QIcon();
}

} // namespace

CMainFrame::CMainFrame(CommandTarget* application, const RecentFileList& recentFiles)
    : savePosition(Profile::Read(Settings::kSavePos)), windowLeft(Profile::Read(Settings::kLeft)),
      windowTop(Profile::Read(Settings::kTop)), windowRight(Profile::Read(Settings::kRight)),
      windowBottom(Profile::Read(Settings::kBottom)),
      wasMaximised(Profile::Read(Settings::kMaxWnd)),
      wasMinimised(Profile::Read(Settings::kMinWnd)), application_(application),
      recentFiles_(recentFiles) {
    BuildCommands();
    setAcceptDrops(true);
}

namespace {

// The files a drag carries, or nothing when it carries anything else: text,
// a folder, a remote address.
QStringList DroppedFiles(const QMimeData* data) {
    QStringList paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        const QString path = LocalPath::FromUrl(url);
        if (!LocalPath::IsRegularFile(path))
            return {};
        paths << path;
    }
    return paths;
}

} // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList paths = DroppedFiles(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(paths);
}

CMainFrame::~CMainFrame() {
    CaptureWindowPlacement();
    Profile::Write(Settings::kSavePos, savePosition);
    if (savePosition != 0) {
        Profile::Write(Settings::kTop, windowTop);
        Profile::Write(Settings::kBottom, windowBottom);
        Profile::Write(Settings::kLeft, windowLeft);
        Profile::Write(Settings::kRight, windowRight);
        Profile::Write(Settings::kMaxWnd, wasMaximised);
        Profile::Write(Settings::kMinWnd, wasMinimised);
    }
}

bool CMainFrame::LoadFrame() {
    setWindowTitle(QString::fromLatin1(AppStrings::kAppTitle));
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
        FollowActiveWindow();
        Refresh();
    });

    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    orbitalPanel_ = new COrbitalPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, orbitalPanel_);
    orbitalPanel_->hide();
    resultsPanel_ = new CResultsPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, resultsPanel_);
    resultsPanel_->hide();
    measurementsPanel_ = new CMeasurementsPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, measurementsPanel_);
    measurementsPanel_->hide();
    representationsPanel_ = new CRepresentationsPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, representationsPanel_);
    representationsPanel_->hide();
    connect(orbitalPanel_, &COrbitalPanel::surfaceChanged, this, [this] {
        ChildFrame* frame = ActiveChildFrame();
        if (Document* document = frame != nullptr ? frame->GetActiveDocument() : nullptr)
            document->UpdateAllViews(nullptr);
    });
    ShowMenu(ResourceIds::kMainMenu);
    qApp->installEventFilter(this);

    // The stored rectangle is the whole window, frame included; one that
    // cannot be on this screen (hand-edited, from another monitor set-up) is
    // brought onto it.
    const QRect available = AvailableArea();
    const QRect frame = SaneRect(windowLeft, windowTop, windowRight, windowBottom, available);
    move(frame.topLeft());
    resize(frame.size());
    show();
    resize(frame.size() - FrameMargins());
    return true;
}

QRect CMainFrame::AvailableArea() const {
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QSize CMainFrame::FrameMargins() const {
    return frameGeometry().size() - size();
}

QRect CMainFrame::SaneRect(int left, int top, int right, int bottom, const QRect& available) {
    static constexpr int kSmallest = 200;
    // In 64 bits: right - left of two stored extremes does not fit in int.
    const auto extent = [](long long from, long long to, int room) {
        const long long size = to - from;
        if (size < kSmallest)
            return std::min(kSmallest, room);
        return static_cast<int>(std::min<long long>(size, room));
    };
    const int width = extent(left, right, available.width());
    const int height = extent(top, bottom, available.height());
    const auto place = [](long long at, int low, int size, int room) {
        return static_cast<int>(std::clamp<long long>(at, low, low + room - size));
    };
    return {place(left, available.left(), width, available.width()),
            place(top, available.top(), height, available.height()), width, height};
}

QAction* CMainFrame::MakeAction(int id, const QString& text) {
    auto* action = new QAction(text, this);
    const QStringList strings = SplitCommandString(id);
    if (!strings.isEmpty()) {
        action->setStatusTip(strings.front());
        action->setWhatsThis(strings.front());
    }
    if (strings.size() > 1)
        action->setToolTip(strings[1]);
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    addAction(action); // shortcuts work whichever menu is shown
    actions_[id] = action;
    return action;
}

void CMainFrame::CreateActions() {
    // Every command of every menu, once.
    std::vector<const std::vector<MenuItem>*> pending;
    for (int menu :
         {ResourceIds::kMolecule, ResourceIds::kMainMenu, ResourceIds::kPlaceholder,
          ResourceIds::kPlot, ResourceIds::kSpectrum, ResourceIds::kChart, ResourceIds::kPathChart})
        pending.push_back(&MenuResource(menu));
    while (!pending.empty()) {
        const std::vector<MenuItem>* items = pending.back();
        pending.pop_back();
        for (const MenuItem& item : *items) {
            if (!item.items.empty()) {
                pending.push_back(&item.items);
            } else if (item.id == kFileMru1) {
                // The recent-file entries get their texts when the menu
                // opens; the item's own text shows while the list is empty.
                if (recentPlaceholder_ == nullptr)
                    recentPlaceholder_ =
                        new QAction(QCoreApplication::translate("Menu", item.text), this);
            } else if (item.id != 0 && actions_.count(item.id) == 0) {
                MakeAction(item.id, QCoreApplication::translate("Menu", item.text));
            }
        }
    }
    for (int id = kFileMru1; id <= kFileMru4; ++id)
        MakeAction(id, QString());
    recentPlaceholder_->setEnabled(false);
    for (const Accelerator& accelerator : AcceleratorTable()) {
        QAction* action = actions_.count(accelerator.id) != 0
                              ? actions_[accelerator.id]
                              : MakeAction(accelerator.id, QString());
        QList<QKeySequence> keys = action->shortcuts();
        keys.append(QKeySequence(QString::fromLatin1(accelerator.keys)));
        action->setShortcuts(keys);
    }
}

void CMainFrame::BuildMenu(QMenu* menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (!item.items.empty()) {
            QMenu* sub = menu->addMenu(QCoreApplication::translate("Menu", item.text));
            BuildMenu(sub, item.items);
            connect(sub, &QMenu::aboutToShow, this, [this, sub] { UpdateActions(sub->actions()); });
        } else if (item.id == 0) {
            menu->addSeparator();
        } else if (item.id == kFileMru1) {
            menu->addAction(recentPlaceholder_);
            for (int id = kFileMru1; id <= kFileMru4; ++id)
                menu->addAction(actions_[id]);
        } else {
            menu->addAction(actions_[item.id]);
        }
    }
}

const std::vector<QMenu*>& CMainFrame::Menus(int resourceId) {
    auto it = menus_.find(resourceId);
    if (it != menus_.end())
        return it->second;
    std::vector<QMenu*> menus;
    for (const MenuItem& top : MenuResource(resourceId)) {
        auto* menu = new QMenu(QCoreApplication::translate("Menu", top.text), this);
        BuildMenu(menu, top.items);
        const bool windowMenu =
            std::any_of(top.items.begin(), top.items.end(),
                        [](const MenuItem& item) { return item.id == kWindowNew; });
        connect(menu, &QMenu::aboutToShow, this, [this, menu, windowMenu] {
            UpdateRecentFileActions();
            if (windowMenu)
                UpdateWindowList(menu);
            UpdateActions(menu->actions());
        });
        menus.push_back(menu);
    }
    return menus_.emplace(resourceId, std::move(menus)).first->second;
}

void CMainFrame::ShowMenu(int resourceId) {
    if (resourceId == currentMenu_)
        return;
    currentMenu_ = resourceId;
    menuBar()->clear();
    for (QMenu* menu : Menus(resourceId))
        menuBar()->addMenu(menu);
}

void CMainFrame::CreateToolBar() {
    toolBar_ = new QToolBar(QCoreApplication::translate("CMainFrame", "ツールバー"), this);
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : ToolbarButtons()) {
        if (id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = actions_.at(id);
        action->setIcon(ToolbarIcon(style(), id));
        if (action->text().isEmpty())
            action->setText(action->toolTip());
        toolBar_->addAction(action);
        if (id == kStepNext) {
            stepNumber_ = new QSpinBox(toolBar_);
            stepNumber_->setObjectName(QStringLiteral("stepNumber"));
            stepNumber_->setKeyboardTracking(false);
            stepNumber_->setEnabled(false);
            toolBar_->insertWidget(action, stepNumber_);
            connect(stepNumber_, qOverload<int>(&QSpinBox::valueChanged), this, [this](int value) {
                if (stepSource_ != nullptr && value - 1 != stepSource_->DrawnFrame())
                    stepSource_->ShowFrame(value - 1);
            });
        }
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void CMainFrame::CreateStatusBar() {
    // The message pane, the step of an optimisation or the model of an
    // ensemble shown (refreshed whenever the active molecule window shows
    // another geometry, so also while an animation steps), the atom pane,
    // then the keyboard indicators.
    stepPane_ = new QLabel(this);
    stepPane_->setObjectName(QStringLiteral("STEP"));
    statusBar()->addPermanentWidget(stepPane_);
    atomPane_ = new QLabel(this);
    atomPane_->setObjectName(QString::fromLatin1(AppStrings::kAtomLabelPane));
    atomPane_->setFixedWidth(150);
    atomPane_->setEnabled(false);
    statusBar()->addPermanentWidget(atomPane_);
    // Each indicator as wide as its text, which it shows while its key is on.
    static const char* const kLocks[4][2] = {{"INDICATOR_KANA", "KANA"},
                                             {"INDICATOR_CAPS", "CAP"},
                                             {"INDICATOR_NUM", "NUM"},
                                             {"INDICATOR_SCRL", "SCRL"}};
    for (std::size_t k = 0; k < lockPanes_.size(); ++k) {
        auto* pane = new QLabel(this);
        pane->setObjectName(QString::fromLatin1(kLocks[k][0]));
        pane->setAlignment(Qt::AlignCenter);
        pane->setFixedWidth(
            pane->fontMetrics().horizontalAdvance(QString::fromLatin1(kLocks[k][1])) + 8);
        pane->setProperty("onText", QString::fromLatin1(kLocks[k][1]));
        statusBar()->addPermanentWidget(pane);
        lockPanes_[k] = pane;
    }
    locksShown_ = KeyboardLocks::Read();
    locksShown_.caps = !locksShown_.caps; // differs, so that the panes are written
    ShowKeyboardLocks();
    // The message pane falls back to the idle text whenever a prompt ends.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            Refresh();
    });
}

ChildFrame* CMainFrame::ActiveChildFrame() const {
    return qobject_cast<ChildFrame*>(mdiArea_->activeSubWindow());
}

QAction* CMainFrame::Action(int id) const {
    const auto it = actions_.find(id);
    return it != actions_.end() ? it->second : nullptr;
}

std::vector<CommandTarget*> CMainFrame::CommandChain() const {
    std::vector<CommandTarget*> chain;
    if (ChildFrame* frame = ActiveChildFrame()) {
        chain.push_back(frame->GetActiveView());
        chain.push_back(frame->GetActiveDocument());
        chain.push_back(frame);
    }
    chain.push_back(const_cast<CMainFrame*>(this));
    chain.push_back(application_);
    return chain;
}

CommandUpdate CMainFrame::QueryCommand(int id) {
    CommandUpdate update;
    RouteCommand(CommandChain(), id, &update);
    return update;
}

void CMainFrame::RunCommand(int id) {
    if (QueryCommand(id).enabled)
        RouteCommand(CommandChain(), id, nullptr);
    Refresh();
}

void CMainFrame::UpdateActions(const QList<QAction*>& actions) {
    for (const auto& [id, action] : actions_) {
        if (!actions.contains(action) || !action->isVisible())
            continue;
        const CommandUpdate update = QueryCommand(id);
        action->setEnabled(update.enabled);
        if (!update.text.isEmpty())
            action->setText(update.text);
        if (update.checked >= 0) {
            action->setCheckable(true);
            action->setChecked(update.checked == 1);
        }
    }
}

void CMainFrame::UpdateRecentFileActions() {
    const RecentFileList& recent = recentFiles_;
    for (int i = 0; i < Settings::kRecentCount; ++i) {
        QAction* action = actions_[kFileMru1 + i];
        const bool used = i < recent.Count();
        action->setVisible(used);
        if (used)
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(recent.GetDisplayName(i)));
    }
    recentPlaceholder_->setVisible(recent.Count() == 0);
}

void CMainFrame::UpdateWindowList(QMenu* menu) {
    // The open document windows, numbered, after the window commands.
    for (QAction* action : menu->actions()) {
        if (action->property("windowList").toBool())
            delete action;
    }
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    if (windows.isEmpty())
        return;
    menu->addSeparator()->setProperty("windowList", true);
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        QAction* action =
            menu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(window->windowTitle()));
        action->setProperty("windowList", true);
        action->setCheckable(true);
        action->setChecked(window == mdiArea_->activeSubWindow());
        connect(action, &QAction::triggered, this,
                [this, window = QPointer<QMdiSubWindow>(window)] {
                    if (window.isNull())
                        return;
                    mdiArea_->setActiveSubWindow(window);
                });
    }
}

void CMainFrame::FollowActiveWindow() {
    for (const QMetaObject::Connection& watch : activeWatches_)
        disconnect(watch);
    activeWatches_.clear();
    ChildFrame* frame = ActiveChildFrame();
    Document* document = frame != nullptr ? frame->GetActiveDocument() : nullptr;
    if (document == nullptr)
        return;
    activeWatches_.push_back(connect(document, &Document::changed, this, &CMainFrame::Refresh));
    activeWatches_.push_back(
        connect(document, &Document::framesChanged, this, &CMainFrame::Refresh));
    // The molecule windows of the document: the panels and the step box
    // follow them even while one of the document's charts is active.
    for (View* view : document->GetViews()) {
        if (auto* molecule = dynamic_cast<CMolView*>(view))
            activeWatches_.push_back(
                connect(molecule, &CMolView::shownChanged, this, &CMainFrame::Refresh));
    }
}

void CMainFrame::Refresh() {
    ChildFrame* frame = ActiveChildFrame();
    ShowMenu(frame != nullptr ? frame->GetDocTemplate()->GetResourceId() : ResourceIds::kMainMenu);
    const QString appTitle = QString::fromLatin1(AppStrings::kAppTitle);
    setWindowTitle(frame != nullptr ? appTitle + QStringLiteral(" - ") + frame->windowTitle()
                                    : appTitle);
    UpdateActions(toolBar_->actions());

    // What the active view says of the atom picked last, and what its
    // document says of the file it read.
    View* view = frame != nullptr ? frame->GetActiveView() : nullptr;
    Document* document = frame != nullptr ? frame->GetActiveDocument() : nullptr;
    atomPane_->setEnabled(true);
    atomPane_->setText(view != nullptr ? view->StatusText() : QString());
    // The orbital panel follows the active molecule window: shown when
    // another document (or file) with orbitals or grids comes, hidden when
    // it has none.
    auto* molecule = dynamic_cast<CMolDoc*>(document);
    orbitalPanel_->SetDocument(molecule, molecule);
    const int load = molecule != nullptr ? molecule->loadCount : -1;
    const bool themselves = Profile::Read(Settings::kPanelsOpenThemselves) != 0;
    if (!themselves) {
        // Each panel stays as the user left it, showing what the active
        // window has for it.
    } else if (!COrbitalPanel::HasContent(molecule)) {
        orbitalPanel_->hide();
    } else if (panelDocument_ != molecule || panelLoad_ != load) {
        orbitalPanel_->show();
    }
    // The results panel follows the molecule window (or the molecule window
    // of the document whose chart or spectrum is active) the same way.
    auto* moleculeView = dynamic_cast<CMolView*>(view);
    if (moleculeView == nullptr && molecule != nullptr) {
        for (View* other : molecule->GetViews()) {
            if ((moleculeView = dynamic_cast<CMolView*>(other)) != nullptr)
                break;
        }
    }
    resultsPanel_->SetView(moleculeView);
    if (!themselves)
        ;
    else if (!CResultsPanel::HasContent(moleculeView))
        resultsPanel_->hide();
    else if (panelDocument_ != molecule || panelLoad_ != load)
        resultsPanel_->show();
    // The measurements panel comes when the window gets its first
    // measurement or another window with measurements becomes active.
    measurementsPanel_->SetView(moleculeView);
    representationsPanel_->SetView(moleculeView);
    const std::size_t measured =
        moleculeView != nullptr ? moleculeView->state.measurements.size() : 0;
    if (!themselves)
        ;
    else if (!CMeasurementsPanel::HasContent(moleculeView))
        measurementsPanel_->hide();
    else if (moleculeView != measuredView_ || measured > measuredCount_)
        measurementsPanel_->show();
    measuredView_ = moleculeView;
    measuredCount_ = measured;
    panelDocument_ = molecule;
    panelLoad_ = load;
    ShowStep();
    if (statusBar()->currentMessage().isEmpty() ||
        statusBar()->property("idleMessage").toString() == statusBar()->currentMessage()) {
        const QString said = document != nullptr ? document->StatusMessage() : QString();
        const QString idle = !said.isEmpty()
                                 ? said
                                 : QCoreApplication::translate("Status", AppStrings::kIdleMessage);
        statusBar()->setProperty("idleMessage", idle);
        if (statusBar()->currentMessage() != idle)
            statusBar()->showMessage(idle);
    }
}

void CMainFrame::ShowStep() {
    ChildFrame* frame = ActiveChildFrame();
    View* view = frame != nullptr ? frame->GetActiveView() : nullptr;
    auto* molecule = dynamic_cast<CMolView*>(view);
    stepSource_ = molecule;
    const QString text = view != nullptr ? view->StepText() : QString();
    if (stepPane_->text() != text)
        stepPane_->setText(text);
    const CMolData* model = molecule != nullptr ? molecule->Model() : nullptr;
    const int count = model != nullptr ? model->frameCount : 0;
    const std::array<int, 2> shown{count, count > 1 ? molecule->DrawnFrame() + 1 : 0};
    if (shown == stepShown_)
        return;
    stepShown_ = shown;
    const QSignalBlocker quiet(stepNumber_);
    stepNumber_->setEnabled(count > 1);
    stepNumber_->setRange(count > 1 ? 1 : 0, std::max(count, 1));
    stepNumber_->setSuffix(count > 1 ? QStringLiteral(" / %1").arg(count) : QString());
    // A file of one geometry has no step to choose: a dash, not "0".
    stepNumber_->setSpecialValueText(count > 1 ? QString() : QStringLiteral("-"));
    stepNumber_->setValue(shown[1]);
}

void CMainFrame::ShowKeyboardLocks() {
    const KeyboardLocks locks = KeyboardLocks::Read();
    if (locks == locksShown_)
        return;
    locksShown_ = locks;
    const bool on[4] = {locks.kana, locks.caps, locks.num, locks.scroll};
    for (std::size_t k = 0; k < lockPanes_.size(); ++k) {
        const QString text = on[k] ? lockPanes_[k]->property("onText").toString() : QString();
        if (lockPanes_[k]->text() != text)
            lockPanes_[k]->setText(text);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // A lock key locks as it is pressed and may unlock as it is released;
        // asked only when one is, so that typing costs nothing.
        if (const int key = static_cast<QKeyEvent*>(event)->key();
            key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock ||
            key == Qt::Key_Kana_Lock || key == Qt::Key_Kana_Shift ||
            key == Qt::Key_Hiragana_Katakana)
            ShowKeyboardLocks();
        break;
    case QEvent::ApplicationActivate:
        // Keys pressed while another program had the keyboard.
        ShowKeyboardLocks();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

QDockWidget* CMainFrame::PanelOf(int command) const {
    switch (command) {
    case kPanelOrbitals:
        return orbitalPanel_;
    case kPanelResults:
        return resultsPanel_;
    case kPanelMeasurements:
        return measurementsPanel_;
    case kPanelRepresentations:
        return representationsPanel_;
    default:
        return nullptr;
    }
}

void CMainFrame::BuildCommands() {
    commands_.AddCheck(
        kWindowPositionSave, [this] { savePosition = savePosition != 0 ? 0 : 1; },
        [this] { return savePosition != 0; });
    // 700 × 700 for the whole window, frame included, as it is stored.
    commands_.Add(kWindowPositionDefault, [this] { resize(QSize(700, 700) - FrameMargins()); });
    commands_.AddCheck(
        kViewToolbar, [this] { toolBar_->setVisible(!toolBar_->isVisible()); },
        [this] { return toolBar_->isVisible(); });
    commands_.AddCheck(
        kViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
        [this] { return statusBar()->isVisible(); });
    // The window commands act on the active document window.
    const auto hasWindow = [this] { return ActiveChildFrame() != nullptr; };
    commands_.AddEnabled(
        kFileClose, [this] { ActiveChildFrame()->GetActiveDocument()->OnCloseDocument(); },
        hasWindow);
    commands_.AddEnabled(
        kWindowNew, [this] { OpenNewWindow(); }, hasWindow);
    commands_.AddEnabled(
        kWindowCascade, [this] { Cascade(); }, hasWindow);
    commands_.AddEnabled(
        kWindowTile, [this] { mdiArea_->tileSubWindows(); }, hasWindow);
    commands_.AddEnabled(
        kCloseWindow, [this] { mdiArea_->closeActiveSubWindow(); }, hasWindow);
    // The panels, shown and hidden from the View menu.
    // (The panels are made with the window, after the commands.)
    for (const int id : {kPanelOrbitals, kPanelResults, kPanelMeasurements, kPanelRepresentations})
        commands_.AddCheck(
            id,
            [this, id] {
                QDockWidget* panel = PanelOf(id);
                panel->setVisible(!panel->isVisible());
                // Opened, it leaves the molecule window most of the room.
                if (panel->isVisible())
                    resizeDocks({panel}, {std::min(panel->sizeHint().width(), width() * 2 / 5)},
                                Qt::Horizontal);
            },
            [this, id] { return PanelOf(id) != nullptr && PanelOf(id)->isVisible(); });
    commands_.AddCheck(
        kPanelsOpenThemselves,
        [] {
            Profile::Write(Settings::kPanelsOpenThemselves,
                           Profile::Read(Settings::kPanelsOpenThemselves) != 0 ? 0 : 1);
        },
        [] { return Profile::Read(Settings::kPanelsOpenThemselves) != 0; });
    commands_.AddCheck(
        kFullScreen, [this] { isFullScreen() ? showNormal() : showFullScreen(); },
        [this] { return isFullScreen(); });
    commands_.AddEnabled(
        kWindowArrange, [this] { ArrangeIcons(); }, hasWindow);
    commands_.Add(kContextHelp, [] { QWhatsThis::enterWhatsThisMode(); });
}

bool CMainFrame::OnCmdMsg(int id, CommandUpdate* update) {
    return commands_.Dispatch(id, update);
}

void CMainFrame::OpenNewWindow() {
    ChildFrame* active = ActiveChildFrame();
    Document* document = active->GetActiveDocument();
    DocTemplate* docTemplate = active->GetDocTemplate();
    if (ChildFrame* frame = docTemplate->CreateNewFrame(document))
        docTemplate->InitialUpdateFrame(frame, document);
}

void CMainFrame::Cascade() {
    // Each window a step down and right of the one before, the active one on
    // top, every one at least half the area in each direction (Qt's own
    // cascade leaves windows that were maximised as bare title bars).
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::StackingOrder)) {
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    }
    if (windows.isEmpty())
        return;
    const QSize area = mdiArea_->viewport()->size();
    const int step = std::max(16, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
    const int count = static_cast<int>(windows.size());
    const int width = std::max(area.width() / 2, area.width() - step * (count - 1));
    const int height = std::max(area.height() / 2, area.height() - step * (count - 1));
    const int roomX = std::max(1, area.width() - width + 1);
    const int roomY = std::max(1, area.height() - height + 1);
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* window = windows[i];
        window->showNormal();
        window->setGeometry((i * step) % roomX, (i * step) % roomY, width, height);
        window->raise();
    }
    mdiArea_->setActiveSubWindow(windows.back());
}

void CMainFrame::ArrangeIcons() {
    // Minimised windows in a row along the bottom of the area.
    int x = 0;
    const int bottom = mdiArea_->viewport()->height();
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        if (!window->isMinimized())
            continue;
        window->move(x, bottom - window->height());
        x += window->width();
    }
}

void CMainFrame::CaptureWindowPlacement() {
    if (placementCaptured_ || savePosition == 0)
        return;
    placementCaptured_ = true;
    wasMaximised = 0;
    wasMinimised = 0;
    if (isMaximized())
        wasMaximised = 1;
    if (isMinimized()) {
        wasMinimised = 1;
        return;
    }
    // The whole window, frame included, and only where it can be on the
    // screen.
    const QRect frame = frameGeometry();
    const QRect sane = SaneRect(frame.left(), frame.top(), frame.left() + frame.width(),
                                frame.top() + frame.height(), AvailableArea());
    windowLeft = sane.left();
    windowTop = sane.top();
    windowRight = sane.left() + sane.width();
    windowBottom = sane.top() + sane.height();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // While a pipe is read (its box has a キャンセル) the windows and the
    // document being read stay.
    if (BackgroundOpen::Reading()) {
        event->ignore();
        return;
    }
    emit closing();
    CaptureWindowPlacement();
    event->accept();
}
