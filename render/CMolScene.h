#pragma once

#include "model/Point3D.h"
#include "render/LabelFont.h"

#include <GL/gl.h>

#include <vector>

class CMolData;
struct Camera;
struct GLUquadric;
struct MolDocState;
struct ViewState;

// The OpenGL scene of one molecule view: projection, lighting, atoms and
// bonds, labels, and the OpenGL side of picking. It draws what the view's
// state and the document's model say and changes neither (beyond the model's
// cache of backbone angles the ribbon asks for), so a picture drawn any
// number of times is the same picture. It has no context of its own;
// callers make one current first.
class CMolScene {
public:
    CMolScene(const ViewState* view, const MolDocState* document);
    virtual ~CMolScene();
    CMolScene(const CMolScene&) = delete;
    CMolScene& operator=(const CMolScene&) = delete;

    // Projection and viewport for a window of width × height pixels.
    void reshape(int width, int height);
    // One whole frame into the current context (the caller clears first).
    void render();
    // The model in render mode GL_RENDER or GL_SELECT.
    void drawModel(GLenum mode);
    void drawWireFrame(GLenum mode);
    void drawBallAndStick(GLenum mode);
    // The backbone as a thick grey curve (PDB models with analysable
    // residues only); the mode is not used.
    void drawRibbon(GLenum mode);
    // The displacement cone of atom a at the current origin.
    void drawDisplacementArrow(int a);
    void drawLabels();
    // The atom under the window point (x, y), y downwards; -1 for none.
    int hitTest(int x, int y);

    const ViewState* view;
    const MolDocState* document;
    int slices = 10;
    float materialAmbientDiffuse[4] = {1.0F, 0.0F, 0.0F, 1.0F};
    float materialSpecular[4] = {1.0F, 1.0F, 1.0F, 1.0F};
    float lightAmbient[4] = {0.2F, 0.2F, 0.2F, 1.0F};
    float lightDiffuse[4] = {0.7F, 0.7F, 0.7F, 1.0F};
    float lightSpecular[4] = {1.0F, 1.0F, 1.0F, 1.0F};
    float lightPosition[4] = {1.0F, 0.5F, 1.0F, 0.0F};
    GLUquadric* quadric;

private:
    void SetUpLighting();
    // The model view: the eye's frame times the camera's orientation.
    void LoadOrientation() const;
    // Atoms hidden by the residue display or the hydrogen switch.
    bool IsSkipped(CMolData& data, int a) const;
    bool IsHiddenHydrogen(CMolData& data, int a) const;
    void SetAtomColour(CMolData& data, int a) const;
    Point3D ScenePoint(CMolData& data, int a) const;
    bool IsSelected(int a) const;
    // Calls atomStep(a) for every shown atom, then bondStep(a, b) for each of
    // its bonds that is drawn.
    template <class AtomStep, class BondStep>
    void ForEachDrawnBond(CMolData& data, AtomStep atomStep, BondStep bondStep);
    // Picks with a selection buffer of size words; the hit count, negative
    // when the buffer overflowed.
    GLint RunPick(int x, int y, std::vector<GLuint>& buffer);

    LabelFont labelFont_;
};

// Multiplies the camera's perspective and eye position onto the current
// matrix, for a picture of the given aspect (width / height).
void MultiplyProjection(const Camera& camera, double aspect);

// Turns the +z axis onto the direction half of axis (the bisector of +z and
// a direction, as GetBondAxis gives it) by a half turn about it; a direction
// along -z, whose bisector is zero, gets a half turn about x.
void RotateZOnto(const Point3D& axis);

// The winner of a pick: the hit record with the smallest minimum depth,
// the earlier one on equal depths; -1 for none or for the placeholder name.
// records holds hitCount records in the OpenGL selection layout.
int NearestHit(const GLuint* records, int hitCount);
