#pragma once

#include "model/Point3D.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What one picture of a molecule shows, as plain data: the shapes, their
// places in ångström (model coordinates, before the camera centres, scales
// and turns them), their sizes and colours. Built from the view's and the
// document's state by BuildSceneContent, drawn by the scene, picked on the
// CPU; a turn or a zoom changes none of it.
using Rgba = std::array<float, 4>;

struct SceneSphere {
    Point3D centre;
    double radius = 0.0;
    Rgba colour{};
    // Drawn with the full light as ambient: a measured atom.
    bool selected = false;
    int atom = -1;
};

// An open tube from one end to the other, in one colour.
struct SceneStick {
    Point3D from, to;
    double radius = 0.0;
    Rgba colour{};
};

// A displacement arrow: an open cone from its base circle about base to its
// tip.
struct SceneCone {
    Point3D base, tip;
    double radius = 0.0;
    Rgba colour{};
    int atom = -1;
};

// A wire-frame atom mark a fixed number of pixels across: round when
// smoothed, square when not.
struct ScenePoint {
    Point3D at;
    Rgba colour{};
    int atom = -1;
};

struct SceneLine {
    Point3D from, to;
    Rgba colour{};
};

// A curve drawn as a line of fixed pixel width through its points.
struct SceneStrip {
    std::vector<Point3D> points;
    // Drawn in colour when coloured, else in the content's stripColour.
    Rgba colour{};
    bool coloured = false;
};

// A label written beside an atom: its raster position is the atom's place
// moved lift ångström towards the eye.
struct SceneLabel {
    Point3D at;
    double lift = 0.0;
    Rgba colour{};
    std::string text;
    int atom = -1;
};

struct IsoMesh;

// A triangle mesh in bohr (scale takes it to ångström), lit from both
// sides, in one colour or with a colour per vertex.
struct SceneSurface {
    std::shared_ptr<const IsoMesh> mesh;
    std::shared_ptr<const std::vector<float>> vertexColours; // red, green, blue, alpha a vertex
    Rgba colour{};
    double scale = 1.0;
    // Closed (see IsoMesh): an opaque one's back faces are never seen.
    bool closed = false;
};

struct SceneContent {
    // In the order they are drawn and picked: atom order, so that the earlier
    // atom wins a pick on equal depth.
    std::vector<SceneSphere> spheres;
    std::vector<SceneStick> sticks;
    std::vector<SceneCone> cones;
    std::vector<ScenePoint> points;
    std::vector<SceneLine> lines;
    std::vector<SceneStrip> strips;
    std::vector<SceneLabel> labels;
    // Drawn after everything else; translucent ones without writing depth.
    std::vector<SceneSurface> surfaces;

    // Pixels across at line scale 1: the atom marks, the bond lines and the
    // strips.
    double pointSize = 1.0;
    double lineWidth = 1.0;
    double stripWidth = 5.0;
    Rgba stripColour{};
    // Edges of points and lines blended by their coverage (the strips always
    // are); else hard edges and square points.
    bool smooth = true;
    // Lit by the light and the material; otherwise points and lines show
    // their colour as it is. Lit points and lines take the one normal
    // kFlatNormal for every pixel.
    bool lit = false;
    // Nothing drawn hides what lies behind it: invisible atom marks must not
    // hide the bonds behind them.
    bool depthTest = true;
    // The strips are drawn on a cleared picture: what else was drawn goes.
    bool clearBeforeStrips = false;
    // Resolution: the sides of the meshes that stay meshes (the cones).
    int slices = 10;

    static constexpr float kFlatNormal[3] = {0.0F, 0.987F, 0.158F};

    bool Empty() const {
        return spheres.empty() && sticks.empty() && cones.empty() && points.empty() &&
               lines.empty() && strips.empty() && labels.empty() && surfaces.empty();
    }
};
