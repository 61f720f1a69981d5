#pragma once

#include "platform/CommandTable.h"
#include "platform/View.h"
#include "render/ViewState.h"
#include "view/Animator.h"
#include "view/MeasuringTool.h"
#include "view/PictureSource.h"

#include <QColor>
#include <QOpenGLWidget>
#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <utility>

class CLegendOverlay;
class CModeListDlg;
class CMolData;
class CMolScene;
class QOpenGLFramebufferObject;
struct NormalMode;
class QDialog;
struct MolDocState;

// The view of a molecule window: an OpenGL window on its document's model.
// Mouse drags turn, move and zoom the model; a click picks an atom, labels
// it and, with the atoms collected before, measures; the View menu's
// commands set the style, colouring, labels and colours; its animator steps
// through the geometries and vibrates along a mode. Keeps the display style, colouring and hydrogen
// setting in the settings store.
class CMolView : public QOpenGLWidget, public View {
    Q_OBJECT
public:
    CMolView(Document* document, QWidget* parent);
    ~CMolView() override;

    // The model and display settings of the document.
    MolDocState* GetDocState() const;
    QWidget* Widget() override { return this; }
    void OnInitialUpdate() override;
    void OnUpdate(View* sender) override;
    bool OnCmdMsg(int id, CommandUpdate* update) override;
    // The window's commands (see MolViewCommands, which fills it).
    CommandTable& Commands() { return commands_; }
    // The document's model; null when it holds none.
    const CMolData* Model() const;
    // Brings the state the scene reads up to date before it draws or picks.
    void PrepareToDraw();
    // What its pictures, movies and prints are drawn from.
    PictureSource Pictures();

    // The atom picked last, -1 for none, and the geometry drawn.
    int LastPickedAtom() const;
    int DrawnFrame() const;
    // The description of the atom picked last, while it is an atom of the
    // model shown; empty otherwise.
    QString StatusText() const override;
    // For a Gaussian output, the geometry shown as a step of the job: "ステップ
    // k / n", its energy and whether its convergence table converged; for an
    // ensemble "モデル k / n".
    QString StepText() const override;
    // Makes geometry g (kept within the model's) the document's, shown in
    // each of its windows.
    void ShowFrame(int g);
    // Selects residue r: its atoms drawn highlighted, its CA (or first atom)
    // the atom picked last, named in the status bar.
    void SelectResidue(int r);
    // Moves the view so that the selected atoms' mean lies in the middle,
    // keeping the turn and the zoom; false when nothing is selected.
    bool CentreOnSelection();

    // Whether the view has fitted the model its document holds now.
    bool HasFittedModel() const;
    // How many pictures the window has shown.
    int FramesShown() const { return framesShown_; }
    // A click at (x, y) that did not drag: picks and updates the selection
    // and labels; in plain mode measures what is selected. While measuring,
    // a plain click collects the atom (or lets it go again) and the last
    // atom wanted measures, without labels or a dialog.
    void ClickAt(int x, int y, bool accumulate);
    // The atom drawn at (x, y), -1 for none.
    int AtomAt(int x, int y);
    // A Ctrl-click at (x, y): the residue of the atom there joins the
    // selection "sele", or leaves it when all its atoms are in it already.
    // False when no atom is there.
    bool ToggleInSelection(int x, int y);
    // The menu of a Ctrl-click with the right button: show, hide, colour or
    // zoom "sele" (or the residue at (x, y) when nothing is selected), or
    // select that residue or chain.
    void ShowAtomMenu(int x, int y, const QPoint& global);
    // Runs a view command (see ViewScript) on the window; false with its
    // message when it cannot.
    bool RunViewCommand(const std::string& command, std::string* message = nullptr);
    // Keeps a measurement of atoms on the molecule (once); false when it has
    // no value, after a message for a dihedral when say.
    bool KeepMeasurement(const std::vector<int>& atoms, bool say = true);

    // The normal modes of the geometry shown; null when it has none.
    const std::vector<NormalMode>* ShownModes() const;
    // Shows the arrows of mode index of the geometry shown (-1: the first
    // mode's displacements every atom holds); a vibration playing goes on
    // with the new mode.
    void ChooseMode(int index);
    // The list of modes, opened (or raised) beside the window.
    CModeListDlg* OpenModeList();
    // Vibration along the mode shown (see Animator), the arrows shown.
    void StartVibration();
    void StopVibration();

    ViewState state;
    // The animation and the vibration, and what clicks do.
    Animator animator;
    MeasuringTool measuring;
    std::unique_ptr<CMolScene> scene;
    // The half-size picture of a drag (see DrawHalfSize).
    std::unique_ptr<QOpenGLFramebufferObject> dragBuffer_;
    // The colour legend over the window, and what it was made for (colour
    // scheme, geometry, load, secondary structure from the file or not, the
    // values' colouring, decimals and range) so that it is made again only
    // when they change.
    CLegendOverlay* legend_ = nullptr;
    // The surfaces the fit last made room for.
    std::array<const void*, 2> fittedSurfaces_{};
    using LegendKey = std::pair<std::array<int, 6>, double>;
    LegendKey legendFor_{};

    int lastX = 0, lastY = 0;
    bool shiftHeld = false;
    bool dragMoved = false;

    // Draws the whole picture into the window's buffer where a drag left a
    // half-size one; the window's context is current.
    void DrawWhole();
    // Shows the legend of the colour scheme over the window, made anew when
    // the scheme, the geometry or the model changed.
    void UpdateLegend();

signals:
    // A picture has been drawn and shown.
    void pictureDrawn();
    // What the window shows of its document changed: another model or
    // geometry, atoms picked or labelled, measurements kept or dropped, a
    // mode chosen, the vibration started or stopped. The step box, the status panes
    // and the measurements panel follow it; it never comes from drawing, so
    // that what they change never makes the window draw again by itself.
    void shownChanged();

protected:
    void resizeGL(int width, int height) override;
    void paintGL() override;
    // While a drag turns, moves or zooms the molecule the picture is drawn
    // at half the window's size and stretched onto it: a quarter of the
    // pixels to shade keeps the molecule following the mouse on software
    // OpenGL; the whole picture returns the moment the drag ends. False when
    // no buffer for it can be made (the picture is then drawn whole).
    bool DrawHalfSize();

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // Fits a model read since the view last fitted one: the camera, and no
    // selection, label or pick of atoms of the model before.
    void FitNewModel();
    // The question after a PDB file was read while ball and stick is on.
    void AskBallAndStick();

    void ShowModeList();

    CommandTable commands_;
    QPointer<CModeListDlg> modeList_;
    int listFrame_ = -1;  // the geometry whose modes the list shows
    int askedLoad_ = -1;  // the document's loadCount the question was asked for
    int fittedLoad_ = -1; // the document's loadCount the view last fitted
    int framesShown_ = 0;
};
