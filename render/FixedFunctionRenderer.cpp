#include "render/FixedFunctionRenderer.h"

#include "model/Isosurface.h"
#include "render/LabelFont.h"
#include "render/SceneLighting.h"
#include "render/SceneRenderer.h"

#include <QOpenGLContext>

namespace {

void DrawMesh(const Mesh& mesh, GLuint list) {
    if (list != 0)
        glCallList(list);
    else
        mesh.Draw();
}

// Points and lines of content from arrays, each vertex with its colour.
void DrawArrays(GLenum shape, const std::vector<GLfloat>& vertices,
                const std::vector<GLfloat>& colours) {
    if (vertices.empty())
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glColorPointer(4, GL_FLOAT, 0, colours.data());
    glDrawArrays(shape, 0, static_cast<GLsizei>(vertices.size() / 3));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void Append(std::vector<GLfloat>& vertices, std::vector<GLfloat>& colours, const Point3D& p,
            const Rgba& colour) {
    vertices.insert(vertices.end(), {static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y),
                                     static_cast<GLfloat>(p.z)});
    colours.insert(colours.end(), colour.begin(), colour.end());
}

// Smoothed points and lines blend by their coverage; hard ones blend by 0
// or 1 (invisible atom marks).
void SetSmoothing(bool smooth) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (smooth) {
        glEnable(GL_POINT_SMOOTH);
        glEnable(GL_LINE_SMOOTH);
        glHint(GL_POINT_SMOOTH_HINT, GL_DONT_CARE);
        glHint(GL_LINE_SMOOTH_HINT, GL_DONT_CARE);
    } else {
        glDisable(GL_POINT_SMOOTH);
        glDisable(GL_LINE_SMOOTH);
    }
}

} // namespace

void RotateZOnto(const Point3D& axis) {
    if (axis.x == 0.0 && axis.y == 0.0 && axis.z == 0.0)
        glRotated(180.0, 1.0, 0.0, 0.0);
    else
        glRotated(180.0, axis.x, axis.y, axis.z);
}

FixedFunctionRenderer::~FixedFunctionRenderer() {
    for (const QMetaObject::Connection& watch : groupWatches_)
        QObject::disconnect(watch);
    // Lists of the group current now go now; those of other groups go with
    // their groups.
    if (QOpenGLContext* context = QOpenGLContext::currentContext()) {
        for (const auto& [key, list] : lists_) {
            if (key.first == context->shareGroup() && list != 0)
                glDeleteLists(list, 1);
        }
    }
}

void FixedFunctionRenderer::Draw(const SceneContent& content, const Camera& camera,
                                 double lineScale) {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_POINT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT |
                 GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixd(camera.ModelView().data());
    if (content.depthTest)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    // Unit meshes sized by the model-view matrix: normals are scaled with
    // them and made unit again.
    glEnable(GL_NORMALIZE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    DrawSpheres(content, camera);
    DrawTubes(content);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_NORMALIZE);
    DrawFlat(content, lineScale);
    glPopMatrix();
    glPopAttrib();
}

void FixedFunctionRenderer::DrawSpheres(const SceneContent& content, const Camera& camera) {
    if (content.spheres.empty())
        return;
    // Every sphere has the slices and stacks the resolution asks for: fewer
    // on small spheres would move their highlights.
    const Mesh& sphere = SphereMesh(2 * content.slices);
    const GLuint list = ListOf(sphere);
    const Matrix4 modelView = camera.ModelView();
    const double scale = camera.Scale();
    for (const SceneSphere& s : content.spheres) {
        if (s.selected)
            glLightfv(GL_LIGHT0, GL_AMBIENT, SceneLighting::kBright);
        glColor4fv(s.colour.data());
        glPushMatrix();
        glTranslated(s.centre.x, s.centre.y, s.centre.z);
        glScaled(s.radius, s.radius, s.radius);
        // A sphere is closed, so its back faces are never seen, unless the
        // near plane cuts it and shows its inside.
        const double depth = camera.eyeDistance - TransformPoint(modelView, s.centre).z;
        const bool closed = depth - s.radius * scale > camera.nearPlane;
        if (closed)
            glEnable(GL_CULL_FACE);
        DrawMesh(sphere, list);
        glDisable(GL_CULL_FACE);
        glPopMatrix();
        if (s.selected)
            glLightfv(GL_LIGHT0, GL_AMBIENT, SceneLighting::kAmbient);
    }
}

void FixedFunctionRenderer::DrawTubes(const SceneContent& content) {
    // Sticks are open tubes, arrows open cones, each from its first end.
    const auto draw = [](const Mesh& mesh, GLuint list, const Point3D& from, const Point3D& to,
                         double radius, const Rgba& colour) {
        const Point3D v = Minus(to, from);
        glColor4fv(colour.data());
        glPushMatrix();
        glTranslated(from.x, from.y, from.z);
        RotateZOnto(HalfTurnAxis(v));
        glScaled(radius, radius, Length(v));
        DrawMesh(mesh, list);
        glPopMatrix();
    };
    if (!content.sticks.empty()) {
        const Mesh& stick = TubeMesh(content.slices, false);
        const GLuint list = ListOf(stick);
        for (const SceneStick& s : content.sticks)
            draw(stick, list, s.from, s.to, s.radius, s.colour);
    }
    if (!content.cones.empty()) {
        const Mesh& cone = TubeMesh(content.slices, true);
        const GLuint list = ListOf(cone);
        for (const SceneCone& c : content.cones)
            draw(cone, list, c.base, c.tip, c.radius, c.colour);
    }
}

void FixedFunctionRenderer::Load(const SceneContent& content) {
    points_ = {};
    lines_ = {};
    strips_ = {};
    stripStarts_.clear();
    for (const ::ScenePoint& p : content.points)
        Append(points_.vertices, points_.colours, p.at, p.colour);
    for (const SceneLine& line : content.lines) {
        Append(lines_.vertices, lines_.colours, line.from, line.colour);
        Append(lines_.vertices, lines_.colours, line.to, line.colour);
    }
    for (const SceneStrip& strip : content.strips) {
        stripStarts_.push_back(static_cast<GLint>(strips_.vertices.size() / 3));
        const Rgba& colour = strip.coloured ? strip.colour : content.stripColour;
        for (const Point3D& p : strip.points)
            Append(strips_.vertices, strips_.colours, p, colour);
    }
    stripStarts_.push_back(static_cast<GLint>(strips_.vertices.size() / 3));
}

void FixedFunctionRenderer::DrawFlat(const SceneContent& content, double lineScale) const {
    // Lit points and lines all take the one normal.
    glNormal3fv(SceneContent::kFlatNormal);
    if (!points_.vertices.empty()) {
        SetSmoothing(content.smooth);
        glPointSize(static_cast<float>(content.pointSize * lineScale));
        DrawArrays(GL_POINTS, points_.vertices, points_.colours);
    }
    if (!lines_.vertices.empty()) {
        SetSmoothing(content.smooth);
        glLineWidth(static_cast<float>(content.lineWidth * lineScale));
        DrawArrays(GL_LINES, lines_.vertices, lines_.colours);
    }
    if (content.clearBeforeStrips)
        glClear(GL_COLOR_BUFFER_BIT);
    if (!strips_.vertices.empty()) {
        SetSmoothing(true); // the trace is always smoothed
        glShadeModel(GL_FLAT);
        glLineWidth(static_cast<float>(content.stripWidth * lineScale));
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glVertexPointer(3, GL_FLOAT, 0, strips_.vertices.data());
        glColorPointer(4, GL_FLOAT, 0, strips_.colours.data());
        for (std::size_t i = 0; i + 1 < stripStarts_.size(); ++i)
            glDrawArrays(GL_LINE_STRIP, stripStarts_[i], stripStarts_[i + 1] - stripStarts_[i]);
        glDisableClientState(GL_COLOR_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
        glShadeModel(GL_SMOOTH);
    }
}

void FixedFunctionRenderer::DrawSurfaces(const SceneContent& content, const Camera& camera) {
    if (content.surfaces.empty())
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_CURRENT_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixd(camera.ModelView().data());
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);
    // Both faces lit: a translucent lobe shows its inside, and a grid's edge
    // may cut a surface open.
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    SceneRenderer::ForEachSurface(content, [](const SceneSurface& surface) {
        glColor4fv(surface.colour.data());
        glVertexPointer(3, GL_FLOAT, 0, surface.mesh->positions.data());
        glNormalPointer(GL_FLOAT, 0, surface.mesh->normals.data());
        if (surface.vertexColours != nullptr) {
            glEnableClientState(GL_COLOR_ARRAY);
            glColorPointer(4, GL_FLOAT, 0, surface.vertexColours->data());
        }
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(surface.mesh->triangles.size()),
                       GL_UNSIGNED_INT, surface.mesh->triangles.data());
        glDisableClientState(GL_COLOR_ARRAY);
    });
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glPopMatrix();
    glPopAttrib();
}

GLuint FixedFunctionRenderer::ListOf(const Mesh& mesh) {
    // Compiled once into a display list of the share group of the context
    // current now, the mesh is not sent again with every atom.
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (context == nullptr)
        return 0;
    QOpenGLContextGroup* group = context->shareGroup();
    auto [entry, fresh] = lists_.try_emplace({group, &mesh}, 0);
    if (fresh) {
        if (watchedGroups_.insert(group).second) {
            // A group that goes takes its lists with it.
            groupWatches_.push_back(QObject::connect(group, &QObject::destroyed, [this, group] {
                for (auto it = lists_.begin(); it != lists_.end();)
                    it = it->first.first == group ? lists_.erase(it) : std::next(it);
                watchedGroups_.erase(group);
            }));
        }
        entry->second = glGenLists(1);
        // The label glyphs use fixed names; a name among them is given back.
        if (entry->second >= LabelFont::kListBase && entry->second < LabelFont::kListBase + 256) {
            glDeleteLists(entry->second, 1);
            entry->second = 0;
        }
        if (entry->second != 0) {
            glNewList(entry->second, GL_COMPILE);
            mesh.Draw();
            glEndList();
        }
    }
    return entry->second;
}

const Mesh& FixedFunctionRenderer::SphereMesh(int n) {
    auto it = spheres_.find(n);
    if (it == spheres_.end())
        it = spheres_.emplace(n, Mesh::Sphere(n, n)).first;
    return it->second;
}

const Mesh& FixedFunctionRenderer::TubeMesh(int n, bool cone) {
    auto& meshes = cone ? cones_ : tubes_;
    auto it = meshes.find(n);
    if (it == meshes.end())
        it = meshes.emplace(n, Mesh::Tube(n, cone ? 0.0 : 1.0)).first;
    return it->second;
}
