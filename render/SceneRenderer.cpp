#include "render/SceneRenderer.h"

#include "model/Isosurface.h"
#include "render/Mesh.h"
#include "render/ScenePick.h"
#include "render/SceneShaders.h"

#include <QMatrix4x4>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QVector4D>

#include <GL/gl.h>

namespace {

// The corners of a quad, in the order GL_QUADS goes round it.
constexpr float kCorners[4][2] = {{-1.0F, -1.0F}, {1.0F, -1.0F}, {1.0F, 1.0F}, {-1.0F, 1.0F}};

// Floats a vertex of each array holds.
constexpr int kSphereFloats = 11; // centre, radius, colour, corner, selected
constexpr int kStickFloats = 13;  // from, to, radius, colour, corner
constexpr int kConeFloats = 10;   // position, normal, colour
constexpr int kPointFloats = 9;   // position, colour, corner
constexpr int kLineFloats = 12;   // from, to, colour, corner

void Put(std::vector<float>& to, const Point3D& p) {
    to.insert(to.end(),
              {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)});
}

void Put(std::vector<float>& to, const Rgba& colour) {
    to.insert(to.end(), colour.begin(), colour.end());
}

void PutLine(std::vector<float>& to, const Point3D& from, const Point3D& end, const Rgba& colour) {
    for (const auto& corner : kCorners) {
        Put(to, from);
        Put(to, end);
        Put(to, colour);
        to.insert(to.end(), {corner[0], corner[1]});
    }
}

// first: an attribute every vertex has, given location 0, which some
// drivers of the compatibility profile need to be an array to draw at all.
std::unique_ptr<QOpenGLShaderProgram> Compile(const char* vertex, const char* fragment,
                                              const char* first) {
    auto program = std::make_unique<QOpenGLShaderProgram>();
    program->bindAttributeLocation(first, 0);
    if (!program->addShaderFromSourceCode(QOpenGLShader::Vertex, vertex) ||
        !program->addShaderFromSourceCode(QOpenGLShader::Fragment, fragment) || !program->link()) {
        static bool told = false;
        if (!told)
            qWarning("The scene's shaders do not build here; drawing the fixed-function way: %s",
                     qPrintable(program->log()));
        told = true;
        return nullptr;
    }
    return program;
}

// One attribute of a vertex: its name in the programs and its floats.
struct Field {
    const char* name;
    int size;
};

// Draws the vertices of array, each the fields one after the other, with
// program (bound, its uniforms set). The arrays are client arrays in the
// process's memory: on Mesa's software drivers, buffer objects drew slower.
void DrawArray(QOpenGLShaderProgram& program, const std::vector<float>& array, GLenum mode,
               std::initializer_list<Field> fields) {
    int stride = 0;
    for (const Field& field : fields)
        stride += field.size;
    int first = 0;
    for (const Field& field : fields) {
        const int location = program.attributeLocation(field.name);
        if (location >= 0) {
            program.enableAttributeArray(location);
            program.setAttributeArray(location, GL_FLOAT, array.data() + first, field.size,
                                      stride * static_cast<int>(sizeof(float)));
        }
        first += field.size;
    }
    glDrawArrays(mode, 0, static_cast<GLsizei>(array.size() / static_cast<std::size_t>(stride)));
    for (const Field& field : fields) {
        const int location = program.attributeLocation(field.name);
        if (location >= 0)
            program.disableAttributeArray(location);
    }
    program.release();
}

} // namespace

SceneRenderer::SceneRenderer() = default;

SceneRenderer::~SceneRenderer() {
    for (const QMetaObject::Connection& watch : groupWatches_)
        QObject::disconnect(watch);
}

SceneRenderer::Programs* SceneRenderer::Current() {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (context == nullptr)
        return nullptr;
    QOpenGLContextGroup* group = context->shareGroup();
    auto [entry, fresh] = programs_.try_emplace(group);
    Programs& programs = entry->second;
    if (fresh) {
        // A group that goes takes its programs with it.
        groupWatches_.push_back(QObject::connect(group, &QObject::destroyed,
                                                 [this, group] { programs_.erase(group); }));
        if (QOpenGLShaderProgram::hasOpenGLShaderPrograms(context)) {
            using namespace SceneShaders;
            programs.sphere = Compile(kSphereVertex, kSphereFragment, "centre");
            programs.stick = Compile(kStickVertex, kStickFragment, "from");
            programs.mesh = Compile(kMeshVertex, kMeshFragment, "position");
            programs.line = Compile(kLineVertex, kFlatFragment, "from");
            programs.point = Compile(kPointVertex, kFlatFragment, "position");
            programs.ready = programs.sphere && programs.stick && programs.mesh && programs.line &&
                             programs.point;
        }
    }
    return &programs;
}

bool SceneRenderer::Ready() {
    const Programs* programs = Current();
    return programs != nullptr && programs->ready;
}

void SceneRenderer::Load(const SceneContent& content) {
    spheres_.clear();
    spheres_.reserve(content.spheres.size() * 4 * kSphereFloats);
    for (const SceneSphere& sphere : content.spheres) {
        for (const auto& corner : kCorners) {
            Put(spheres_, sphere.centre);
            spheres_.push_back(static_cast<float>(sphere.radius));
            Put(spheres_, sphere.colour);
            spheres_.insert(spheres_.end(), {corner[0], corner[1], sphere.selected ? 1.0F : 0.0F});
        }
    }
    sticks_.clear();
    sticks_.reserve(content.sticks.size() * 4 * kStickFloats);
    for (const SceneStick& stick : content.sticks) {
        for (const auto& corner : kCorners) {
            Put(sticks_, stick.from);
            Put(sticks_, stick.to);
            sticks_.push_back(static_cast<float>(stick.radius));
            Put(sticks_, stick.colour);
            sticks_.insert(sticks_.end(), {corner[0], corner[1]});
        }
    }
    cones_.clear();
    if (!content.cones.empty()) {
        const Mesh mesh = Mesh::Tube(content.slices, 0.0);
        const std::vector<GLuint>& indices = mesh.Indices();
        cones_.reserve(content.cones.size() * indices.size() * kConeFloats);
        for (const SceneCone& cone : content.cones) {
            for (const GLuint index : indices) {
                Put(cones_, ConeVertex(cone, &mesh.Positions()[index * 3]));
                Put(cones_, ConeNormal(cone, &mesh.Normals()[index * 3]));
                Put(cones_, cone.colour);
            }
        }
    }
    points_.clear();
    points_.reserve(content.points.size() * 4 * kPointFloats);
    for (const ScenePoint& point : content.points) {
        for (const auto& corner : kCorners) {
            Put(points_, point.at);
            Put(points_, point.colour);
            points_.insert(points_.end(), {corner[0], corner[1]});
        }
    }
    lines_.clear();
    lines_.reserve(content.lines.size() * 4 * kLineFloats);
    for (const SceneLine& line : content.lines)
        PutLine(lines_, line.from, line.to, line.colour);
    strips_.clear();
    for (const SceneStrip& strip : content.strips) {
        const Rgba& colour = strip.coloured ? strip.colour : content.stripColour;
        for (std::size_t i = 0; i + 1 < strip.points.size(); ++i)
            PutLine(strips_, strip.points[i], strip.points[i + 1], colour);
    }
}

QOpenGLShaderProgram& SceneRenderer::Use(QOpenGLShaderProgram& program) const {
    program.bind();
    program.setUniformValue("viewport", viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
    program.setUniformValue("inverseProjection", inverseProjection_);
    program.setUniformValue("eye", eye_);
    program.setUniformValue("xRow", projection_.row(0));
    program.setUniformValue("yRow", projection_.row(1));
    program.setUniformValue("depthRow", projection_.row(2));
    program.setUniformValue("wRow", projection_.row(3));
    return program;
}

void SceneRenderer::DrawFlat(QOpenGLShaderProgram& program, const std::vector<float>& array,
                             double width, bool smooth, bool point, bool lit) const {
    if (array.empty())
        return;
    Use(program);
    program.setUniformValue("halfWidth", static_cast<float>(width * 0.5));
    program.setUniformValue("smoothEdges", smooth ? 1.0F : 0.0F);
    program.setUniformValue("roundPoint", !point || smooth ? 1.0F : 0.0F);
    program.setUniformValue("isPoint", point ? 1.0F : 0.0F);
    program.setUniformValue("lit", lit ? 1.0F : 0.0F);
    program.setUniformValue("flatNormal", SceneContent::kFlatNormal[0],
                            SceneContent::kFlatNormal[1], SceneContent::kFlatNormal[2]);
    if (point)
        DrawArray(program, array, GL_QUADS, {{"position", 3}, {"colour", 4}, {"corner", 2}});
    else
        DrawArray(program, array, GL_QUADS, {{"from", 3}, {"to", 3}, {"colour", 4}, {"corner", 2}});
}

void SceneRenderer::Draw(const SceneContent& content, double lineScale) {
    Programs* programs = Current();
    if (programs == nullptr || !programs->ready)
        return;
    QOpenGLContext::currentContext()->functions()->glBindBuffer(GL_ARRAY_BUFFER, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    for (int i = 0; i < 4; ++i)
        viewport_[i] = static_cast<float>(viewport[i]);
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // QMatrix4x4 reads rows; OpenGL's array is by columns. Worked out once a
    // picture, for every program it draws with.
    projection_ = QMatrix4x4(projection).transposed();
    inverseProjection_ = projection_.inverted();
    // The eye: the point whose clip coordinates are (0, 0, c, 0).
    const QVector4D eye = inverseProjection_.map(QVector4D(0.0F, 0.0F, 1.0F, 0.0F));
    eye_ = eye.toVector3D() / eye.w();

    if (content.depthTest)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    if (!spheres_.empty())
        DrawArray(Use(*programs->sphere), spheres_, GL_QUADS,
                  {{"centre", 3}, {"radius", 1}, {"colour", 4}, {"corner", 2}, {"selected", 1}});
    if (!sticks_.empty())
        DrawArray(Use(*programs->stick), sticks_, GL_QUADS,
                  {{"from", 3}, {"to", 3}, {"radius", 1}, {"colour", 4}, {"corner", 2}});
    if (!cones_.empty())
        DrawArray(Use(*programs->mesh), cones_, GL_TRIANGLES,
                  {{"position", 3}, {"normal", 3}, {"colour", 4}});
    // Points and lines blend their edges (hard edges blend by 0 or 1).
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    DrawFlat(*programs->point, points_, content.pointSize * lineScale, content.smooth, true,
             content.lit);
    // A bond line meets its atoms' marks at their depth: pushed back by a
    // hair (about 4·10⁻⁶ of the depth range), the marks stay on top of their
    // own bonds whatever the rounding, as they did when lines were lines.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(0.0F, 64.0F);
    DrawFlat(*programs->line, lines_, content.lineWidth * lineScale, content.smooth, false,
             content.lit);
    glDisable(GL_POLYGON_OFFSET_FILL);
    if (content.clearBeforeStrips)
        glClear(GL_COLOR_BUFFER_BIT);
    DrawFlat(*programs->line, strips_, content.stripWidth * lineScale, true, false, content.lit);
    glDisable(GL_BLEND);
}

void SceneRenderer::ForEachSurface(const SceneContent& content,
                                   const std::function<void(const SceneSurface&)>& draw) {
    glMatrixMode(GL_MODELVIEW);
    for (int pass = 0; pass < 2; ++pass) {
        for (const SceneSurface& surface : content.surfaces) {
            const bool translucent = surface.colour[3] < 1.0F;
            if (translucent != (pass == 1))
                continue;
            // A closed surface hides its back faces behind its front ones:
            // culled, they cost nothing (a fifth of the picture's time on
            // llvmpipe), and a translucent one shows one face, not both
            // blended in whatever order its triangles come.
            if (surface.closed)
                glEnable(GL_CULL_FACE);
            glPushMatrix();
            glScaled(surface.scale, surface.scale, surface.scale);
            if (translucent) {
                // Only the nearest layer blends over what is drawn: its depth
                // first, then its colour where it is that depth, so that
                // folds of the surface behind it add no stripes or bands.
                glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
                draw(surface);
                glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
                GLint depthFunction = GL_LESS;
                glGetIntegerv(GL_DEPTH_FUNC, &depthFunction);
                glDepthFunc(GL_LEQUAL);
                glDepthMask(GL_FALSE);
                glEnable(GL_BLEND);
                glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
                draw(surface);
                glDepthFunc(static_cast<GLenum>(depthFunction));
            } else {
                draw(surface);
            }
            glPopMatrix();
            glDisable(GL_CULL_FACE);
            glDepthMask(GL_TRUE);
            glDisable(GL_BLEND);
        }
    }
}

void SceneRenderer::DrawSurfaces(const SceneContent& content) {
    Programs* programs = Current();
    if (content.surfaces.empty() || programs == nullptr || !programs->ready)
        return;
    QOpenGLShaderProgram& program = *programs->mesh;
    QOpenGLContext::currentContext()->functions()->glBindBuffer(GL_ARRAY_BUFFER, 0);
    glEnable(GL_DEPTH_TEST);
    const int position = program.attributeLocation("position");
    const int normal = program.attributeLocation("normal");
    const int colour = program.attributeLocation("colour");
    ForEachSurface(content, [&](const SceneSurface& surface) {
        Use(program);
        program.setUniformValue("twoSided", 1.0F);
        program.enableAttributeArray(position);
        program.setAttributeArray(position, GL_FLOAT, surface.mesh->positions.data(), 3);
        program.enableAttributeArray(normal);
        program.setAttributeArray(normal, GL_FLOAT, surface.mesh->normals.data(), 3);
        if (surface.vertexColours != nullptr) {
            program.enableAttributeArray(colour);
            program.setAttributeArray(colour, GL_FLOAT, surface.vertexColours->data(), 4);
        } else {
            program.setAttributeValue(colour, surface.colour[0], surface.colour[1],
                                      surface.colour[2], surface.colour[3]);
        }
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(surface.mesh->triangles.size()),
                       GL_UNSIGNED_INT, surface.mesh->triangles.data());
        program.disableAttributeArray(position);
        program.disableAttributeArray(normal);
        program.disableAttributeArray(colour);
        program.setUniformValue("twoSided", 0.0F);
        program.release();
    });
}
