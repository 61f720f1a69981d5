#pragma once

#include "render/SceneContent.h"

#include <QMatrix4x4>
#include <QMetaObject>
#include <QVector3D>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QOpenGLContextGroup;
class QOpenGLShaderProgram;

// Draws scene content with shaders: spheres and sticks as quads the
// fragment shader turns into exact, per-pixel lit surfaces; cones as meshes
// lit per pixel; points and lines as quads with blended edges. The vertex
// arrays are made once for each content, the programs once for each share
// group of contexts.
class SceneRenderer {
public:
    SceneRenderer();
    ~SceneRenderer();
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    // Whether the current context runs the programs (compiled when first
    // asked); false without a Qt context or when they do not compile.
    bool Ready();
    // Makes the vertex arrays of content: call whenever it changes.
    void Load(const SceneContent& content);
    // Draws what Load was given last, into the current context: its
    // projection and viewport are set, its model-view takes ångström to the
    // light's coordinates, its light and material are set. lineScale widens
    // points and lines for pictures larger than the window.
    void Draw(const SceneContent& content, double lineScale);
    // Draws content's surfaces, lit per pixel on both faces: opaque ones,
    // then translucent ones blended without writing depth.
    void DrawSurfaces(const SceneContent& content);
    // Calls draw for each of content's surfaces in the order they are drawn
    // (opaque ones, then translucent ones, which blend over them and what
    // lies behind without hiding one another: no depth written), with the
    // model-view scaled to the surface's units and the back faces of closed
    // opaque ones culled.
    static void ForEachSurface(const SceneContent& content,
                               const std::function<void(const SceneSurface&)>& draw);

private:
    struct Programs {
        std::unique_ptr<QOpenGLShaderProgram> sphere, stick, mesh, line, point;
        bool ready = false;
    };
    Programs* Current();
    // Binds program with the uniforms every program shares.
    QOpenGLShaderProgram& Use(QOpenGLShaderProgram& program) const;
    // Points (four corners each) or line segments (four corners each) of
    // width pixels across, blended at their edges when smooth.
    void DrawFlat(QOpenGLShaderProgram& program, const std::vector<float>& array, double width,
                  bool smooth, bool point, bool lit) const;

    std::map<QOpenGLContextGroup*, Programs> programs_;
    std::vector<QMetaObject::Connection> groupWatches_;
    // Four vertices a quad (spheres, sticks, points, line segments), three a
    // cone triangle, the attributes of each vertex one after the other.
    std::vector<float> spheres_, sticks_, cones_, points_, lines_, strips_;
    float viewport_[4] = {0, 0, 1, 1};
    // The picture's projection, its inverse and the eye, as drawing began.
    QMatrix4x4 projection_, inverseProjection_;
    QVector3D eye_;
};
