#pragma once

#include "model/CMolData.h"
#include "model/Point3D.h"
#include "render/LabelFont.h"
#include "render/Mesh.h"
#include "render/RibbonPlan.h"
#include "render/SceneContent.h"
#include "render/SceneContentBuilder.h"
#include "render/SceneRenderer.h"
#include "render/ViewState.h"

#include <GL/gl.h>

#include <QMetaObject>

#include <map>
#include <memory>
#include <set>
#include <vector>

struct Camera;
struct GLUquadric;
class QOpenGLContextGroup;
struct MolDocState;

// The OpenGL scene of one molecule view: projection, lighting, and the
// drawing and picking of what the view's state and the document's model
// show. What that is (the scene content) is built again only when one of
// its inputs changes, never on a turn or a zoom; shaders draw it, and a
// click is picked on the CPU against it. Where the context has no shaders,
// the fixed-function drawing (meshes per atom and bond) serves instead. The
// scene changes neither state (beyond the model's cache of backbone angles
// the ribbon asks for), so a picture drawn any number of times is the same
// picture. It has no context of its own; callers make one current first.
class CMolScene {
public:
    CMolScene(const ViewState* view, const MolDocState* document);
    virtual ~CMolScene();
    CMolScene(const CMolScene&) = delete;
    CMolScene& operator=(const CMolScene&) = delete;

    // Projection and viewport for a window of width × height pixels.
    void reshape(int width, int height);
    // Projection and viewport for the region of width × height pixels at
    // (x, y) from the bottom left of a picture of fullWidth × fullHeight,
    // drawn into a buffer of the region's size: a tile of a picture larger
    // than one buffer.
    void reshapeRegion(int fullWidth, int fullHeight, int x, int y, int width, int height);
    // The pixels a tile needs around it so that the points and labels
    // reaching into it from outside are drawn (see reshapeRegion).
    int TileMargin() const;
    // One whole frame into the current context (the caller clears first).
    void render();
    // What the view and the document show now, built when an input changed.
    const SceneContent& Content();
    // Whether render() draws with the shaders in the current context.
    bool UsesShaders() { return !fixedFunction && renderer_.Ready(); }
    // Fixed-function drawing: the model in render mode GL_RENDER or
    // GL_SELECT.
    void drawModel(GLenum mode);
    // The fixed-function drawing of the two styles of atoms and bonds, and
    // the arrows; virtual so that the tests can draw them the plain way, as
    // the oracle of the shaders.
    virtual void drawWireFrame(GLenum mode);
    virtual void drawBallAndStick(GLenum mode);
    // The backbone as a thick grey curve (PDB models with analysable
    // residues only); the mode is not used.
    virtual void drawRibbon(GLenum mode);
    // The displacement cone of atom a at the current origin.
    virtual void drawDisplacementArrow(int a);
    void drawLabels();
    // The measurements' dashes as lines over the picture, where no shaders
    // draw the content.
    void drawMeasurementDashes(const SceneContent& content);
    // The atom under the window point (x, y), y downwards; -1 for none.
    int hitTest(int x, int y);
    // The same by OpenGL's selection through the fixed-function drawing:
    // the oracle the tests hold the CPU pick to.
    int hitTestBySelection(int x, int y);

    const ViewState* view;
    const MolDocState* document;
    int slices = 10;
    // Draws the fixed-function way even where shaders run (set from the
    // environment variable RAVEK_FIXED_FUNCTION for a driver whose shaders
    // draw wrongly, and by the tests' plain drawing).
    bool fixedFunction = false;
    float materialAmbientDiffuse[4] = {1.0F, 0.0F, 0.0F, 1.0F};
    float materialSpecular[4] = {1.0F, 1.0F, 1.0F, 1.0F};
    float lightAmbient[4] = {0.2F, 0.2F, 0.2F, 1.0F};
    float lightDiffuse[4] = {0.7F, 0.7F, 0.7F, 1.0F};
    float lightSpecular[4] = {1.0F, 1.0F, 1.0F, 1.0F};
    float lightPosition[4] = {1.0F, 0.5F, 1.0F, 0.0F};

protected:
    // The ribbon's control points (x, y, z in scene units, one after the
    // other) and its pieces, with the line state set for drawing them; false
    // when the model has no ribbon.
    bool PrepareRibbon(std::vector<GLdouble>& controls, std::vector<RibbonPiece>& pieces);
    bool IsSkipped(const CMolData& data, int a) const { return IsAtomSkipped(*view, data, a); }
    bool IsHiddenHydrogen(const CMolData& data, int a) const {
        return ::IsHiddenHydrogen(*view, data, a);
    }
    bool IsSelected(int a) const { return IsSelectedAtom(*view, a); }
    void SetAtomColour(CMolData& data, int a) const;
    // Where atom a is drawn, in scene units.
    Point3D ScenePoint(CMolData& data, int a) const;
    // Calls atomStep(a) for every shown atom, then bondStep(a, b) for each of
    // its bonds that is drawn: each bond once, from its lower atom, when that
    // atom is shown and the other is not a hidden hydrogen (whether its
    // residue is shown does not matter).
    template <class AtomStep, class BondStep>
    void ForEachDrawnBond(CMolData& data, AtomStep atomStep, BondStep bondStep) {
        const int atoms = data.AtomCount(view->frame);
        for (int a = 0; a < atoms; ++a) {
            if (IsSkipped(data, a))
                continue;
            atomStep(a);
            const int bonds = data.GetBondCount(view->frame, a);
            for (int k = 0; k < bonds; ++k) {
                const int b = data.GetBondedAtom(view->frame, a, k);
                if (a < b && data.HasAtom(view->frame, b) && !IsHiddenHydrogen(data, b))
                    bondStep(a, b);
            }
        }
    }

private:
    // The picture a tile belongs to, while drawing one (see reshapeRegion).
    struct Region {
        bool active = false;
        int x = 0, y = 0;
        int fullWidth = 0, fullHeight = 0;
    };
    Region region_;
    // The window's size as the last reshape gave it.
    int width_ = 1, height_ = 1;
    // Sets the raster position of a label anchored at scene point s; false
    // when the label is not drawn (its anchor outside the picture).
    bool PlaceLabel(const Point3D& s) const;
    void SetUpLighting();
    // The model view: the eye's frame times the camera's orientation.
    void LoadOrientation() const;
    const Mesh& SphereMesh(int slices);
    const Mesh& TubeMesh(int slices, bool cone);
    // The display list of mesh in the current context's share group, made
    // when first asked for; 0 when there is none (no Qt context).
    GLuint ListOf(const Mesh& mesh);
    // Draws mesh through its list, or from its arrays when list is 0.
    static void DrawMesh(const Mesh& mesh, GLuint list);
    // The distance from the eye plane of scene point s, along the view.
    double EyeDepth(const Point3D& s) const;
    bool FarFromPick(CMolData& data, int a, double radius, double pixels) const;
    // Picks with a selection buffer of size words; the hit count, negative
    // when the buffer overflowed.
    GLint RunPick(int x, int y, std::vector<GLuint>& buffer);

    // The inputs of the content built last; it is built again when they
    // differ.
    // The isosurfaces of content, over what was drawn.
    void drawSurfaces(const SceneContent& content);
    // Without shaders: the ligands in ball and stick and the waters as
    // points that the content holds beside the cartoon.
    void drawCartoonCompanions(const SceneContent& content);
    struct ContentInputs;
    std::unique_ptr<ContentInputs> contentInputs_;
    SceneContent content_;
    SceneRenderer renderer_;
    LabelFont labelFont_;
    // The meshes' display lists by share group and mesh, and the watches on
    // the groups that hold some.
    std::map<std::pair<QOpenGLContextGroup*, const Mesh*>, GLuint> lists_;
    std::set<QOpenGLContextGroup*> watchedGroups_;
    std::vector<QMetaObject::Connection> groupWatches_;
    // GLU's shapes, for picks only.
    GLUquadric* quadric_;
    // Unit meshes by their number of slices, built when first asked for.
    std::map<int, Mesh> spheres_, tubes_, cones_;
    // The wire frame's arrays, kept to save allocations between pictures.
    std::vector<GLfloat> points_, pointColours_, lines_, lineColours_;
    std::vector<int> pointAtoms_;
    std::vector<GLfloat> ribbon_;
    // The 5 × 5 pixel window about the point picked (y upwards) and the
    // picture's size, while a pick runs.
    struct PickWindow {
        bool active = false;
        double x = 0.0, y = 0.0, width = 1.0, height = 1.0;
    } pick_;
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
