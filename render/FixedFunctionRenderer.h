#pragma once

#include "model/Point3D.h"
#include "render/Camera.h"
#include "render/Mesh.h"
#include "render/SceneContent.h"

#include <GL/gl.h>

#include <QMetaObject>

#include <map>
#include <set>
#include <utility>
#include <vector>

class QOpenGLContextGroup;

// Draws scene content through OpenGL 1.1, for contexts without shaders (or
// drivers whose shaders draw wrongly): each sphere, stick and arrow cone as
// a unit mesh from a display list, placed by the model-view matrix; points,
// lines and strips from arrays. It draws exactly what the shaders draw, from
// the same content; only the light is per vertex instead of per pixel.
class FixedFunctionRenderer {
public:
    FixedFunctionRenderer() = default;
    ~FixedFunctionRenderer();
    FixedFunctionRenderer(const FixedFunctionRenderer&) = delete;
    FixedFunctionRenderer& operator=(const FixedFunctionRenderer&) = delete;

    // Makes the point, line and strip arrays of content: call whenever it
    // changes (a turn or a zoom changes none of them).
    void Load(const SceneContent& content);
    // Draws content (as Load was given it last) into the current context,
    // whose projection, viewport, light and material are set; lineScale widens points and lines for
    // pictures larger than the window. The model-view is left as it was.
    void Draw(const SceneContent& content, const Camera& camera, double lineScale);
    // The surfaces alone, over what was drawn.
    static void DrawSurfaces(const SceneContent& content, const Camera& camera);

private:
    void DrawSpheres(const SceneContent& content, const Camera& camera);
    void DrawTubes(const SceneContent& content);
    void DrawFlat(const SceneContent& content, double lineScale) const;
    const Mesh& SphereMesh(int slices);
    const Mesh& TubeMesh(int slices, bool cone);
    // The display list of mesh in the current context's share group, made
    // when first asked for; 0 when there is none (no Qt context).
    GLuint ListOf(const Mesh& mesh);

    // The meshes' display lists by share group and mesh, and the watches on
    // the groups that hold some.
    std::map<std::pair<QOpenGLContextGroup*, const Mesh*>, GLuint> lists_;
    std::set<QOpenGLContextGroup*> watchedGroups_;
    std::vector<QMetaObject::Connection> groupWatches_;
    // Unit meshes by their number of slices, built when first asked for.
    std::map<int, Mesh> spheres_, tubes_, cones_;
    // The flat shapes of the content loaded: x, y, z and red, green, blue,
    // alpha of each vertex, and where each strip starts (and the end).
    struct FlatArrays {
        std::vector<GLfloat> vertices, colours;
    };
    FlatArrays points_, lines_, strips_;
    std::vector<GLint> stripStarts_;
};

// Turns the +z axis onto the direction half of axis (the bisector of +z and
// a direction, as HalfTurnAxis gives it) by a half turn about it; a
// direction along -z, whose bisector is zero, gets a half turn about x.
void RotateZOnto(const Point3D& axis);
