#pragma once

#include "model/Point3D.h"
#include "render/CMolScene.h"
#include "render/RibbonPlan.h"

#include <GL/gl.h>

#include <vector>

class CMolData;
struct GLUquadric;
struct MolDocState;
struct ViewState;

// The scene drawn the plain way, straight from the model, as the fast
// drawing's oracle: a GLU sphere, cylinder or cone per atom, bond and arrow
// through immediate mode, a glBegin per point and line, the ribbon through
// OpenGL's evaluator; the labels as the scene writes them. It also picks by
// OpenGL's selection, the oracle the scene's CPU pick is held to.
class ReferenceScene {
public:
    ReferenceScene(const ViewState* view, const MolDocState* document);
    ~ReferenceScene();
    ReferenceScene(const ReferenceScene&) = delete;
    ReferenceScene& operator=(const ReferenceScene&) = delete;

    void reshape(int width, int height);
    // One whole frame into the current context (the caller clears first).
    void render();
    // The atom under the window point (x, y), y downwards, by OpenGL's
    // selection through the plain drawing of the atoms and arrows.
    int hitTestBySelection(int x, int y);

    const ViewState* view;
    const MolDocState* document;
    int slices = 10;

private:
    void drawWireFrame(GLenum mode);
    void drawBallAndStick(GLenum mode);
    void drawDisplacementArrow(int a);
    // The curve through OpenGL's evaluator, 31 points a piece, drawn as an
    // unsmoothed wide line.
    void drawRibbon();
    // The atoms (and arrows) named for a pick, only those near it.
    void drawForPick();
    void drawPickArrow(int a);
    bool PrepareRibbon(std::vector<GLdouble>& controls, std::vector<RibbonPiece>& pieces);
    bool IsSkipped(const CMolData& data, int a) const;
    bool IsHiddenHydrogen(const CMolData& data, int a) const;
    bool IsSelected(int a) const;
    void SetAtomColour(const CMolData& data, int a) const;
    // Where atom a is drawn, in scene units.
    Point3D ScenePoint(const CMolData& data, int a) const;
    template <class AtomStep, class BondStep>
    void ForEachDrawnBond(const CMolData& data, AtomStep atomStep, BondStep bondStep);
    double EyeDepth(const Point3D& s) const;
    bool FarFromPick(const CMolData& data, int a, double radius, double pixels) const;
    GLint RunPick(int x, int y, std::vector<GLuint>& buffer);

    GLUquadric* quadric_;
    // Writes the labels, as the scene does.
    CMolScene labels_;
    // The 5 × 5 pixel window about the point picked (y upwards) and the
    // picture's size, while a pick runs.
    struct PickWindow {
        bool active = false;
        double x = 0.0, y = 0.0, width = 1.0, height = 1.0;
    } pick_;
};

// The winner of a pick: the hit record with the smallest minimum depth,
// the earlier one on equal depths; -1 for none or for the placeholder name.
// records holds hitCount records in the OpenGL selection layout.
int NearestHit(const GLuint* records, int hitCount);
