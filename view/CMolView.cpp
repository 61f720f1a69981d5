#include "view/CMolView.h"

#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "platform/Document.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "render/CImage.h"
#include "render/CMolScene.h"
#include "render/MolDocState.h"
#include "render/ViewScript.h"
#include "res/CommandIds.h"
#include "res/SettingsKeys.h"
#include "view/CLegendOverlay.h"
#include "view/CModeListDlg.h"
#include "view/JobStateText.h"
#include "view/PlaceBeside.h"
#include "view/SessionFile.h"
#include "view/ViewPicture.h"
#include "view/ViewSettings.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QWheelEvent>

#include <algorithm>
#include <iterator>

using namespace CommandIds;

CMolView::CMolView(Document* document, QWidget* parent)
    : QOpenGLWidget(parent), View(document),
      animator([this] { return GetDocState(); },
               [this](const QString& path) {
                   return ViewPicture(Pictures()).Write(path, ViewPicture::kBmp24);
               }),
      measuring(state) {
    const ViewSettings stored = ViewSettings::Read(state);
    animator.vibrationAmplitude = stored.vibrationAmplitude;
    animator.vibrationPeriod = stored.vibrationPeriod;
    scene = std::make_unique<CMolScene>(&state, GetDocState());
    // A second window of a document already read does not ask about the
    // file again; the first one (made once the file has been read) asks.
    if (const MolDocState* docState = GetDocState();
        docState != nullptr && GetDocument()->GetViews().size() > 1)
        askedLoad_ = docState->loadCount;
    // The picture has no alpha, as the window's pixel format: blended lines
    // and invisible atom points must not make the window see-through.
    setTextureFormat(GL_RGB8);
    setMinimumSize(1, 1);
    setFocusPolicy(Qt::StrongFocus);
    connect(&animator, &Animator::geometryStepped, this,
            [this] { GetDocument()->UpdateAllViews(nullptr); });
    connect(&animator, &Animator::vibrationMoved, this, [this](double offset) {
        state.vibrationOffset = offset;
        update();
    });
    connect(&animator, &Animator::vibrationStopped, this, [this] {
        if (modeList_ != nullptr)
            modeList_->SetPlaying(false);
        emit shownChanged();
    });
    connect(this, &QOpenGLWidget::frameSwapped, this, [this] {
        ++framesShown_;
        emit pictureDrawn();
    });
}

CMolView::~CMolView() {
    animator.animationTimer.stop();
    animator.vibrationTimer.stop();
    delete modeList_;
    const MolDocState* document = GetDocState();
    ViewSettings::Write(state, {animator.vibrationAmplitude, animator.vibrationPeriod},
                        document != nullptr && document->initStart != 0);
    // The scene holds nothing of OpenGL but the label glyphs, which the
    // window's context shares; it goes with the context current all the same.
    makeCurrent();
    scene.reset();
    dragBuffer_.reset();
    doneCurrent();
}

MolDocState* CMolView::GetDocState() const {
    return dynamic_cast<MolDocState*>(GetDocument());
}

const CMolData* CMolView::Model() const {
    const MolDocState* document = GetDocState();
    return document != nullptr ? document->data.get() : nullptr;
}

int CMolView::LastPickedAtom() const {
    return state.lastPickedAtom;
}

int CMolView::DrawnFrame() const {
    return state.frame;
}

bool CMolView::HasFittedModel() const {
    const MolDocState* document = GetDocState();
    return document != nullptr && document->data != nullptr && fittedLoad_ == document->loadCount;
}

void CMolView::FitNewModel() {
    MolDocState* document = GetDocState();
    const CMolData* model = Model();
    if (model == nullptr || fittedLoad_ == document->loadCount)
        return;
    // A new model: whatever geometry an animation was at, the fit and every
    // atom index kept refer to the model read before.
    fittedLoad_ = document->loadCount;
    state.frame = document->ShownFrame();
    state.camera.Refit(*model, state.frame, Profile::Read(Settings::kOpenAlongAxes) != 0);
    fittedSurfaces_ = {}; // the new model's surfaces get room once it is fitted
    state.lastPickedAtom = -1;
    state.measurementSelection.clear();
    state.labelledAtoms.clear();
    state.measurements.clear();
    // Modes are the model's too: back to the first mode, at rest.
    state.mode = -1;
    if (animator.IsVibrating())
        animator.StopVibration();
    state.vibrationOffset = 0.0;
    ShowModeList();
    // A session opened: what it showed of this model; else a protein as a
    // cartoon when the settings ask for it.
    state.representations.clear();
    state.namedSelections.clear();
    if (document->sessionView != nullptr && document->sessionLoad == document->loadCount) {
        SessionFile::Apply(*document->sessionView, state, *model);
    } else if (Profile::Read(Settings::kOpenProteinsAsCartoon) != 0) {
        SelectionEvaluator::Mask protein;
        std::string said;
        ViewScript script(state, *document);
        if (SelectionEvaluator(*model, state.frame).Select("protein", protein, said) &&
            SelectionEvaluator::Count(protein) > 0) {
            for (const char* command :
                 {"hide everything", "show cartoon, protein", "show ballstick, ligand"})
                script.Run(command, said);
        }
    }
    document->loaded = 0;
}

QString CMolView::StatusText() const {
    // Only an atom of the model this view has fitted, in the geometry it
    // shows: after a new file is read and before the view has been told of
    // it, the picked index belongs to the model that is gone.
    const CMolData* model = Model();
    const int atom = state.lastPickedAtom;
    if (model == nullptr || atom < 0 || !HasFittedModel() || !model->HasAtom(state.frame, atom))
        return {};
    return QString::fromUtf8(model->GetAtomDescription(state.frame, atom));
}

QString CMolView::StepText() const {
    const CMolData* model = Model();
    if (model == nullptr || !model->HasAtom(state.frame, 0))
        return {};
    if (!model->HasSteps())
        return model->frameCount > 1 ? QCoreApplication::translate("CMolView", "モデル %1 / %2")
                                           .arg(state.frame + 1)
                                           .arg(model->frameCount)
                                     : QString();
    const CMolFrame& frame = *model->GetFrame(state.frame);
    QString text = QCoreApplication::translate("CMolView", "ステップ %1 / %2")
                       .arg(state.frame + 1)
                       .arg(model->frameCount);
    if (std::isfinite(frame.energy))
        text += QStringLiteral("  E = %1 hartree").arg(frame.energy, 0, 'f', 6);
    if (frame.convergence.Any())
        text += frame.convergence.AllConverged()
                    ? QCoreApplication::translate("CMolView", "  収束")
                    : QCoreApplication::translate("CMolView", "  未収束");
    const QString job = JobStateText(*model);
    if (!job.isEmpty())
        text += QStringLiteral("  (%1)").arg(job);
    return text;
}

void CMolView::ShowFrame(int g) {
    const CMolData* model = Model();
    MolDocState* document = GetDocState();
    if (model == nullptr || document == nullptr || model->frameCount == 0)
        return;
    document->ChooseFrame(g);
    GetDocument()->UpdateAllViews(nullptr);
}

void CMolView::SelectResidue(int r) {
    const CMolData* model = Model();
    if (model == nullptr)
        return;
    const CMolFrame& frame = *model->GetFrame(state.frame);
    const auto atoms = frame.residueAtoms.find(r);
    if (atoms == frame.residueAtoms.end() || atoms->second.empty())
        return;
    // A residue selected ends a measuring mode: its atoms are no measurement.
    measuring.measuringAtoms = 0;
    setCursor(Qt::ArrowCursor);
    state.measurementSelection.assign(atoms->second.begin(), atoms->second.end());
    state.lastPickedAtom = atoms->second.front();
    for (const int a : atoms->second) {
        if (std::strncmp(frame.Atom(a).label, "CA", 3) == 0)
            state.lastPickedAtom = a;
    }
    update();
}

bool CMolView::CentreOnSelection() {
    const CMolData* model = Model();
    if (model == nullptr || state.measurementSelection.empty())
        return false;
    Point3D sum;
    for (const int a : state.measurementSelection)
        sum = Plus(sum, model->GetAtomPos(state.frame, a));
    state.camera.centre = Scaled(sum, 1.0 / static_cast<double>(state.measurementSelection.size()));
    // The moves of earlier drags go; the turn stays.
    for (const int k : {12, 13, 14})
        state.camera.orientation[static_cast<std::size_t>(k)] = 0.0;
    update();
    return true;
}

void CMolView::OnInitialUpdate() {
    OnUpdate(nullptr);
}

void CMolView::OnUpdate(View*) {
    animator.FollowDocument(); // the model it stepped through may have been replaced
    AskBallAndStick();
    // What the document holds now (a new model, another geometry chosen)
    // is taken here, when the document says it changed: painting only
    // draws.
    PrepareToDraw();
    update();
    emit shownChanged();
}

void CMolView::AskBallAndStick() {
    // Asked when the view learns of a newly read PDB file, before its first
    // picture, and once per file read (reading the same file again asks
    // again).
    const MolDocState* document = GetDocState();
    const CMolData* model = Model();
    if (model == nullptr || document->loadCount == askedLoad_)
        return;
    askedLoad_ = document->loadCount;
    if (document->warningLevel >= 2 && model->sourceKind == CMolData::SourceKind::kPdb &&
        (state.displayFlags & ViewState::kBallAndStick) != 0 &&
        !MessageBox::AskYesNo(
            this, QCoreApplication::translate("CMolView",
                                              "PDBデータですが、ボール&スティックで表示しますか?")))
        state.displayFlags =
            (state.displayFlags & ~(ViewState::kBallAndStick | ViewState::kRibbon)) |
            ViewState::kWireFrame;
}

void CMolView::resizeGL(int width, int height) {
    if (legend_ != nullptr)
        legend_->Place();
    if (width > 0 && height > 0)
        scene->reshape(static_cast<int>(width * devicePixelRatioF()),
                       static_cast<int>(height * devicePixelRatioF()));
}

void CMolView::paintGL() {
    glClearColor(state.backgroundColour[0], state.backgroundColour[1], state.backgroundColour[2],
                 0.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (GetDocState() == nullptr)
        return;
    UpdateLegend();
    if (state.dragMode != ViewState::kNoDrag && DrawHalfSize())
        return;
    scene->render();
}

void CMolView::UpdateLegend() {
    const MolDocState* document = GetDocState();
    if (legend_ == nullptr)
        legend_ = new CLegendOverlay(this);
    if (document == nullptr || document->data == nullptr) {
        legend_->Show({});
        legendFor_ = {};
        return;
    }
    // Atoms coloured by value show the value's colour bar instead.
    const ViewState::AtomValues& values = state.atomValues;
    const LegendKey key{{state.colourMode, state.frame, document->loadCount,
                         document->secondaryFromFile ? 1 : 0, values.colour ? 1 : 0,
                         values.decimals},
                        values.range};
    if (key == legendFor_)
        return;
    legendFor_ = key;
    legend_->Show(ViewPicture::LegendOf(state, *document));
}

void CMolView::DrawWhole() {
    if (state.dragMode == ViewState::kNoDrag || GetDocState() == nullptr)
        return;
    context()->extraFunctions()->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
    glClearColor(state.backgroundColour[0], state.backgroundColour[1], state.backgroundColour[2],
                 0.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene->render();
}

bool CMolView::DrawHalfSize() {
    const int w = static_cast<int>(width() * devicePixelRatioF());
    const int h = static_cast<int>(height() * devicePixelRatioF());
    const QSize half((w + 1) / 2, (h + 1) / 2);
    if (dragBuffer_ == nullptr || dragBuffer_->size() != half || !dragBuffer_->isValid()) {
        dragBuffer_ =
            std::make_unique<QOpenGLFramebufferObject>(half, QOpenGLFramebufferObject::Depth);
        if (!dragBuffer_->isValid()) {
            dragBuffer_.reset();
            return false;
        }
    }
    dragBuffer_->bind();
    scene->reshape(half.width(), half.height());
    glClearColor(state.backgroundColour[0], state.backgroundColour[1], state.backgroundColour[2],
                 0.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Points and lines half as wide, so that stretched they look as always.
    const double lineScale = state.lineScale;
    state.lineScale = lineScale * 0.5;
    scene->render();
    state.lineScale = lineScale;
    QOpenGLExtraFunctions* gl = context()->extraFunctions();
    gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, dragBuffer_->handle());
    gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, defaultFramebufferObject());
    gl->glBlitFramebuffer(0, 0, half.width(), half.height(), 0, 0, w, h, GL_COLOR_BUFFER_BIT,
                          GL_LINEAR);
    gl->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
    scene->reshape(w, h);
    return true;
}

PictureSource CMolView::Pictures() {
    PictureSource source;
    source.scene = scene.get();
    source.state = &state;
    source.model = Model();
    source.modes = ShownModes();
    const double ratio = devicePixelRatioF();
    source.windowPixels =
        QSize(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
    source.vibrationAmplitude = animator.vibrationAmplitude;
    source.parent = this;
    source.baseName = GetDocument() != nullptr ? GetDocument()->DefaultFileName() : QString();
    source.prepare = [this] { PrepareToDraw(); };
    source.windowBitmap32 = [this] {
        // What the window drew last, read back from its buffer (drawn whole
        // in the middle of a drag).
        makeCurrent();
        DrawWhole();
        std::string bytes = CImage().writeBitmap32();
        doneCurrent();
        return bytes;
    };
    source.windowImage = [this] { return grabFramebuffer(); };
    return source;
}

void CMolView::PrepareToDraw() {
    const MolDocState* document = GetDocState();
    FitNewModel();
    const CMolData* model = Model();
    if (model != nullptr) {
        state.frame = document->ShownFrame();
        // Another geometry chosen (the display settings' choice): its modes.
        if (document->animating == 0 && modeList_ != nullptr && listFrame_ != state.frame)
            ShowModeList();
    }
    // A new surface that reaches beyond the fitted picture: room is made
    // for it (the turn and zoom stay).
    if (document != nullptr && model != nullptr) {
        const std::array<const void*, 2> surfaces{document->surface.positive.get(),
                                                  document->surface.negative.get()};
        if (surfaces != fittedSurfaces_) {
            fittedSurfaces_ = surfaces;
            state.camera.FitAlso(document->surface.ReachFrom(state.camera.centre));
        }
    }
    // A stored resolution out of range never reaches GLU.
}

// Mouse and keyboard.

void CMolView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    lastX = at.x();
    lastY = at.y();
    // The Shift state the event carries: a key released while another
    // window had the keyboard never reached this one.
    shiftHeld = (event->modifiers() & Qt::ShiftModifier) != 0;
    switch (event->button()) {
    case Qt::LeftButton:
        state.dragMode = shiftHeld ? ViewState::kZoom : ViewState::kRotate;
        break;
    case Qt::MiddleButton:
        state.dragMode = ViewState::kZoom;
        break;
    case Qt::RightButton:
        state.dragMode = ViewState::kTranslate;
        break;
    default:
        break;
    }
}

void CMolView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    switch (state.dragMode) {
    case ViewState::kRotate:
        dragMoved = true;
        state.camera.Turn(at.y() - lastY, at.x() - lastX);
        update();
        break;
    case ViewState::kZoom:
        dragMoved = true;
        state.camera.SetZoom(state.camera.zoom - (at.y() - lastY) * 0.01);
        update();
        break;
    case ViewState::kTranslate:
        dragMoved = true;
        state.camera.Pan(at.x() - lastX, at.y() - lastY);
        update();
        break;
    default:
        break;
    }
    lastX = at.x();
    lastY = at.y();
}

void CMolView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    shiftHeld = (event->modifiers() & Qt::ShiftModifier) != 0;
    // The drag ends before a click is handled: a measurement dialog opened
    // by the click shows over a picture drawn as after any drag, labels
    // included.
    const int endedDrag = state.dragMode;
    const bool click = !dragMoved;
    state.dragMode = ViewState::kNoDrag;
    dragMoved = false;
    // Ctrl with a click selects residues and opens the menu of what is
    // selected; the plain clicks pick and measure.
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    switch (event->button()) {
    case Qt::LeftButton:
        if (Model() != nullptr && endedDrag != ViewState::kNoDrag && click && control)
            ToggleInSelection(at.x(), at.y());
        else if (Model() != nullptr && endedDrag != ViewState::kNoDrag && click)
            ClickAt(at.x(), at.y(), shiftHeld);
        break;
    case Qt::RightButton:
        if (Model() != nullptr && click && control)
            ShowAtomMenu(at.x(), at.y(), event->globalPosition().toPoint());
        else if (Model() != nullptr && click)
            ClickAt(at.x(), at.y(), true);
        break;
    default:
        break;
    }
    update();
}

void CMolView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    state.camera.SetZoom(state.camera.zoom - delta * state.camera.zoom / 800.0);
    update();
    QOpenGLWidget::wheelEvent(event);
}

void CMolView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift)
        shiftHeld = true;
    QOpenGLWidget::keyPressEvent(event);
}

void CMolView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift)
        shiftHeld = false;
    QOpenGLWidget::keyReleaseEvent(event);
}

int CMolView::AtomAt(int x, int y) {
    makeCurrent();
    PrepareToDraw();
    const double ratio = devicePixelRatioF();
    const int atom = scene->hitTest(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
    doneCurrent();
    return atom;
}

bool CMolView::RunViewCommand(const std::string& command, std::string* message) {
    const CMolData* model = Model();
    std::string said;
    const bool ran = model != nullptr && HasFittedModel() &&
                     ViewScript(state, *GetDocState()).Run(command, said);
    if (message != nullptr)
        *message = said;
    update();
    emit shownChanged();
    return ran;
}

bool CMolView::ToggleInSelection(int x, int y) {
    const CMolData* model = Model();
    const int atom = AtomAt(x, y);
    if (model == nullptr || atom < 0)
        return false;
    const CMolFrame& frame = *model->GetFrame(state.frame);
    SelectionEvaluator::Mask& sele = state.namedSelections["sele"];
    sele.resize(static_cast<std::size_t>(frame.atomCount), 0);
    // The atom's residue, or the atom alone in a model without residues.
    std::vector<int> atoms{atom};
    if (!frame.residueIds.empty()) {
        const auto residue = frame.residueAtoms.find(frame.Atom(atom).residueIndex);
        if (residue != frame.residueAtoms.end())
            atoms = residue->second;
    }
    const bool all = std::all_of(atoms.begin(), atoms.end(),
                                 [&sele](int a) { return sele[static_cast<std::size_t>(a)] != 0; });
    for (const int a : atoms)
        sele[static_cast<std::size_t>(a)] = all ? 0 : 1;
    state.lastPickedAtom = atom;
    update();
    emit shownChanged();
    return true;
}

namespace {

// A text shown as a menu item as it reads: an & is no mnemonic there.
QString MenuText(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

void CMolView::ShowAtomMenu(int x, int y, const QPoint& global) {
    const int atom = AtomAt(x, y);
    const auto sele = state.namedSelections.find("sele");
    const bool selected =
        sele != state.namedSelections.end() && SelectionEvaluator::Count(sele->second) > 0;
    if (!selected && atom < 0)
        return;
    const std::string here = "index " + std::to_string(atom + 1);
    // What the menu acts on stays as it is now: a row of "sele" would
    // follow the Ctrl-clicks that come after. The atoms selected are kept
    // under a name of their own (sele_1, sele_2, ...).
    std::string target = "byres " + here;
    if (selected) {
        int n = 1;
        while (state.namedSelections.count("sele_" + std::to_string(n)) != 0)
            ++n;
        target = "sele_" + std::to_string(n);
    }
    const auto keep = [this, target, selected] {
        if (selected)
            state.namedSelections[target] = state.namedSelections["sele"];
    };
    QMenu menu(this);
    QMenu* show = menu.addMenu(tr("表示"));
    const std::pair<const char*, const char*> styles[] = {
        {QT_TR_NOOP("スティック"), "sticks"},     {QT_TR_NOOP("ボール&スティック"), "ballstick"},
        {QT_TR_NOOP("空間充填"), "spheres"},      {QT_TR_NOOP("カートゥーン"), "cartoon"},
        {QT_TR_NOOP("ワイヤーフレーム"), "wire"}, {QT_TR_NOOP("ラベル"), "labels"}};
    for (const auto& [name, word] : styles) {
        const std::string command = std::string("show ") + word + ", " + target;
        show->addAction(MenuText(tr(name)), this, [this, keep, command] {
            keep();
            RunViewCommand(command);
        });
    }
    menu.addAction(tr("隠す"), this, [this, keep, target] {
        keep();
        RunViewCommand("hide everything, " + target);
    });
    QMenu* colour = menu.addMenu(tr("色"));
    const std::pair<const char*, const char*> colours[] = {
        {QT_TR_NOOP("元素(炭素は緑)"), "element green"},
        {QT_TR_NOOP("元素"), "element"},
        {QT_TR_NOOP("鎖"), "chain"},
        {QT_TR_NOOP("二次構造"), "secondary"},
        {QT_TR_NOOP("赤"), "red"},
        {QT_TR_NOOP("黄"), "yellow"},
        {QT_TR_NOOP("白"), "white"}};
    for (const auto& [name, word] : colours) {
        const std::string command = std::string("color ") + word + ", " + target;
        colour->addAction(MenuText(tr(name)), this, [this, keep, command] {
            keep();
            RunViewCommand(command);
        });
    }
    menu.addSeparator();
    if (atom >= 0) {
        menu.addAction(tr("残基を選択"), this,
                       [this, here] { RunViewCommand("select sele, byres " + here); });
        menu.addAction(tr("鎖を選択"), this,
                       [this, here] { RunViewCommand("select sele, bychain " + here); });
    }
    menu.addAction(tr("ズーム"), this, [this, keep, target] {
        keep();
        RunViewCommand("zoom " + target);
    });
    if (selected)
        menu.addAction(tr("選択を解除"), this, [this] {
            state.namedSelections.erase("sele");
            update();
            emit shownChanged();
        });
    menu.exec(global);
}

void CMolView::ClickAt(int x, int y, bool accumulate) {
    if (state.displayFlags == ViewState::kRibbon)
        return;
    const int atom = AtomAt(x, y);
    const CMolData* model = Model();
    if (model != nullptr && measuring.Click(*model, atom, accumulate, this)) {
        update();
        measuring.ShowDialog(*model, this);
        state.measurementSelection.clear();
    }
    update();
    emit shownChanged();
}

bool CMolView::KeepMeasurement(const std::vector<int>& atoms, bool say) {
    const CMolData* model = Model();
    if (model == nullptr)
        return false;
    const std::size_t before = state.measurements.size();
    const bool kept = measuring.Keep(*model, atoms, this, say);
    if (state.measurements.size() != before)
        emit shownChanged();
    update();
    return kept;
}

// Normal modes and their vibration.

const std::vector<NormalMode>* CMolView::ShownModes() const {
    const CMolData* model = Model();
    if (model == nullptr || !model->HasAtom(state.frame, 0))
        return nullptr;
    const std::vector<NormalMode>& modes = model->GetFrame(state.frame)->modes;
    return modes.empty() ? nullptr : &modes;
}

void CMolView::ChooseMode(int index) {
    const std::vector<NormalMode>* modes = ShownModes();
    state.mode =
        modes != nullptr && index >= 0 && index < static_cast<int>(modes->size()) ? index : -1;
    state.modeFrame = state.frame;
    if (state.mode >= 0)
        state.displayFlags |= ViewState::kVibration;
    if (modeList_ != nullptr)
        modeList_->SetModes(modes, state.mode);
    update();
    emit shownChanged();
}

CModeListDlg* CMolView::OpenModeList() {
    if (modeList_ == nullptr) {
        modeList_ = new CModeListDlg(window());
        modeList_->SetValues(animator.vibrationAmplitude, animator.vibrationPeriod,
                             state.arrowScale);
        connect(modeList_, &CModeListDlg::modeChosen, this, &CMolView::ChooseMode);
        connect(modeList_, &CModeListDlg::valuesChanged, this,
                [this](double amplitude, double period, double arrowScale) {
                    animator.vibrationAmplitude = amplitude;
                    animator.vibrationPeriod = period;
                    state.arrowScale = arrowScale;
                    update();
                });
        connect(modeList_, &CModeListDlg::playToggled, this,
                [this] { animator.IsVibrating() ? StopVibration() : StartVibration(); });
        ShowModeList();
        PlaceBeside(*modeList_, *this);
    }
    ShowModeList();
    modeList_->show();
    modeList_->raise();
    return modeList_;
}

void CMolView::ShowModeList() {
    if (modeList_ == nullptr)
        return;
    listFrame_ = state.frame;
    modeList_->SetModes(ShownModes(), state.modeFrame == state.frame ? state.mode : -1);
    modeList_->SetPlaying(animator.IsVibrating());
    const QString title = parentWidget() != nullptr ? parentWidget()->windowTitle() : QString();
    modeList_->setWindowTitle(title.isEmpty()
                                  ? QCoreApplication::translate("CMolView", "基準振動")
                                  : QCoreApplication::translate("CMolView", "基準振動 - ") + title);
}

void CMolView::StartVibration() {
    if (ShownModes() == nullptr &&
        (Model() == nullptr || Model()->vibrationState != CMolData::kVibrationPresent))
        return;
    state.displayFlags |= ViewState::kVibration;
    animator.StartVibration();
    if (modeList_ != nullptr)
        modeList_->SetPlaying(true);
    emit shownChanged();
}

void CMolView::StopVibration() {
    animator.StopVibration();
}

bool CMolView::OnCmdMsg(int id, CommandUpdate* update) {
    return commands_.Dispatch(id, update);
}
