#pragma once

#include "model/Point3D.h"
#include "render/Camera.h"
#include "render/FixedFunctionRenderer.h"
#include "render/LabelFont.h"
#include "render/SceneContent.h"
#include "render/SceneRenderer.h"

#include <memory>

struct MolDocState;
struct ViewState;

// The OpenGL scene of one molecule view: projection, lighting, and the
// drawing and picking of what the view's state and the document's model
// show. What that is (the scene content) is built again only when one of
// its inputs changes, never on a turn or a zoom; shaders draw it, or the
// fixed-function drawing where the context has none, and a click is picked
// on the CPU against it. The scene changes neither state (beyond the
// model's cache of backbone angles the ribbon asks for), so a picture drawn
// any number of times is the same picture. It has no context of its own;
// callers make one current first.
class CMolScene {
public:
    CMolScene(const ViewState* view, const MolDocState* document);
    ~CMolScene();
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
    // The model-view is left at the camera's orientation.
    void render();
    // What the view and the document show now, built when an input changed.
    const SceneContent& Content();
    // Whether render() draws with the shaders in the current context.
    bool UsesShaders() { return !fixedFunction && renderer_.Ready(); }
    // The labels of the content over the picture drawn.
    void drawLabels();
    // The atom under the window point (x, y), y downwards, in the picture of
    // the last reshape; -1 for none.
    int hitTest(int x, int y);

    const ViewState* view;
    const MolDocState* document;
    // Draws the fixed-function way even where shaders run (set from the
    // environment variable RAVEK_FIXED_FUNCTION for a driver whose shaders
    // draw wrongly).
    bool fixedFunction = false;

private:
    // Where scene point s (model-view modelView) lies in the viewport's
    // window coordinates (pixels, y upwards; z the depth 0 … 1), by the
    // projection the last reshape set; false where it has no place.
    bool ProjectToWindow(const Matrix4& modelView, const Point3D& s, double& x, double& y,
                         double& z) const;
    // Sets the raster position of a label anchored at scene point s under
    // modelView; false when the label is not drawn (its anchor outside the
    // picture).
    bool PlaceLabel(const Matrix4& modelView, const Point3D& s) const;
    // The model view: the eye's frame times the camera's orientation.
    void LoadOrientation() const;
    // Sets projection_ as the current projection and the viewport.
    void LoadProjection(int width, int height);

    // The picture a tile belongs to, while drawing one (see reshapeRegion).
    struct Region {
        bool active = false;
        int x = 0, y = 0;
        int fullWidth = 0, fullHeight = 0;
    };
    Region region_;
    // The projection and viewport size the last reshape set.
    Matrix4 projection_ = IdentityMatrix();
    int viewportWidth_ = 1, viewportHeight_ = 1;
    // The window's size as the last whole (not tiled) reshape gave it.
    int width_ = 1, height_ = 1;

    // The inputs of the content built last; it is built again when they
    // differ.
    struct ContentInputs;
    std::unique_ptr<ContentInputs> contentInputs_;
    SceneContent content_;
    SceneRenderer renderer_;
    FixedFunctionRenderer fixed_;
    LabelFont labelFont_;
};
