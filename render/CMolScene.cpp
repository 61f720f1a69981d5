#include "render/CMolScene.h"

#include "model/BackboneAngles.h"
#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "render/ColourScheme.h"
#include "render/MolDocState.h"
#include "render/RibbonPlan.h"
#include "render/ScenePick.h"
#include "render/ViewState.h"

#include <QOpenGLContext>

#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <list>
#include <map>
#include <string_view>

namespace {

// Where point p of the current model-view matrix lies in the current
// viewport's window coordinates (pixels, y upwards; z the depth 0 … 1).
bool ProjectToWindow(const Point3D& p, GLdouble& x, GLdouble& y, GLdouble& z) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    return gluProject(p.x, p.y, p.z, model, projection, viewport, &x, &y, &z) == GL_TRUE;
}

// The name an atom's drawing replaces: geometry drawn outside any atom.
constexpr GLuint kPlaceholderName = 0xFFFFFFFF;
constexpr int kSelectBufferWords = 512;

// Smoothed points and lines, blended by their coverage.
void EnableSmoothing() {
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_POINT_SMOOTH_HINT, GL_DONT_CARE);
    glHint(GL_LINE_SMOOTH_HINT, GL_DONT_CARE);
}

} // namespace

void MultiplyProjection(const Camera& camera, double aspect) {
    gluPerspective(camera.VerticalFieldOfView(aspect), aspect, camera.nearPlane, camera.farPlane);
    gluLookAt(0.0, 0.0, camera.eyeDistance, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

void RotateZOnto(const Point3D& axis) {
    if (axis.x == 0.0 && axis.y == 0.0 && axis.z == 0.0)
        glRotated(180.0, 1.0, 0.0, 0.0);
    else
        glRotated(180.0, axis.x, axis.y, axis.z);
}

int NearestHit(const GLuint* records, int hitCount) {
    int best = -1;
    float bestDepth = 0.0F;
    GLuint bestName = kPlaceholderName;
    const GLuint* record = records;
    for (int i = 0; i < hitCount; ++i) {
        const GLuint names = record[0];
        const float depth = static_cast<float>(record[1]) / 2147483648.0F;
        if (best < 0 || depth < bestDepth) {
            best = i;
            bestDepth = depth;
            bestName = names > 0 ? record[3] : kPlaceholderName;
        }
        record += 3 + names;
    }
    return best < 0 || bestName == kPlaceholderName ? -1 : static_cast<int>(bestName);
}

// Everything the content is built from. The model is compared by a hash of
// its shown geometry's atoms (positions, elements, bonds, labels,
// displacements), what is shown of them and the mode shown, so that a model
// changed in place is drawn anew; hashing 100,000 atoms takes about a
// millisecond, far less than drawing them.
struct CMolScene::ContentInputs {
    const CMolData* data = nullptr;
    int loadCount = 0;
    int frame = 0;
    int frameCount = 0;
    std::size_t atoms = 0;
    int displayFlags = 0, colourMode = 0, showHydrogens = 0;
    std::array<bool, 5> choices{};
    std::list<int> measurementSelection, labelledAtoms;
    std::vector<Measurement> measurements;
    bool labelsInElementColour = true;
    std::array<float, 3> labelColour{};
    int mode = -1, modeFrame = -1;
    double arrowScale = 1.0, vibrationOffset = 0.0;
    int resolution = 0, antialiasing = 0, hideAtoms = 0;
    double wireAtomScale = 0, wireBondScale = 0, ballAtomScale = 0, ballBondScale = 0;
    const void* positive = nullptr;
    const void* negative = nullptr;
    const void* colours = nullptr;
    bool translucent = false;
    ViewState::AtomValues atomValues;

    ContentInputs(const ViewState& view, const MolDocState& document)
        : data(document.data.get()), loadCount(document.loadCount), frame(view.frame),
          displayFlags(view.displayFlags), colourMode(view.colourMode),
          showHydrogens(view.showHydrogens), choices{view.cartoonHelixCylinders,
                                                     view.cartoonLigands, view.cartoonWaters,
                                                     view.overlayModels,
                                                     document.secondaryFromFile},
          measurementSelection(view.measurementSelection), labelledAtoms(view.labelledAtoms),
          measurements(view.measurements),
          labelsInElementColour(view.labelsInElementColour), labelColour{view.labelColour[0],
                                                                         view.labelColour[1],
                                                                         view.labelColour[2]},
          mode(view.mode), modeFrame(view.modeFrame), arrowScale(view.arrowScale),
          vibrationOffset(view.vibrationOffset), resolution(document.resolution),
          antialiasing(document.antialiasing), hideAtoms(document.hideAtoms),
          wireAtomScale(document.wireAtomScale), wireBondScale(document.wireBondScale),
          ballAtomScale(document.ballAtomScale), ballBondScale(document.ballBondScale),
          positive(document.surface.positive.get()), negative(document.surface.negative.get()),
          colours(document.surface.positiveColours.get()),
          translucent(document.surface.translucent), atomValues(view.atomValues) {
        if (data == nullptr || frame < 0 || frame >= data->frameCount)
            return;
        frameCount = data->frameCount;
        const CMolFrame& shown = *data->GetFrame(frame);
        const auto bytes = [](const auto& vector) {
            return std::string_view(reinterpret_cast<const char*>(vector.data()),
                                    vector.size() * sizeof(vector[0]));
        };
        const std::hash<std::string_view> hash;
        atoms = hash(bytes(shown.atoms)) ^ (hash(bytes(shown.atomShown)) * 31) ^
                (static_cast<std::size_t>(shown.atomCount) << 20) ^ data->vibrationState;
        if (mode >= 0 && mode < static_cast<int>(shown.modes.size()))
            atoms ^= hash(bytes(shown.modes[static_cast<std::size_t>(mode)].displacements)) * 7;
    }
    bool operator==(const ContentInputs& o) const {
        return data == o.data && loadCount == o.loadCount && frame == o.frame &&
               frameCount == o.frameCount && atoms == o.atoms && displayFlags == o.displayFlags &&
               colourMode == o.colourMode && showHydrogens == o.showHydrogens &&
               choices == o.choices && measurementSelection == o.measurementSelection &&
               labelledAtoms == o.labelledAtoms && measurements == o.measurements &&
               labelsInElementColour == o.labelsInElementColour && labelColour == o.labelColour &&
               mode == o.mode && modeFrame == o.modeFrame && arrowScale == o.arrowScale &&
               vibrationOffset == o.vibrationOffset && resolution == o.resolution &&
               antialiasing == o.antialiasing && hideAtoms == o.hideAtoms &&
               wireAtomScale == o.wireAtomScale && wireBondScale == o.wireBondScale &&
               ballAtomScale == o.ballAtomScale && ballBondScale == o.ballBondScale &&
               positive == o.positive && negative == o.negative && colours == o.colours &&
               translucent == o.translucent && atomValues == o.atomValues;
    }
};

CMolScene::CMolScene(const ViewState* viewState, const MolDocState* documentState)
    : view(viewState), document(documentState), quadric_(gluNewQuadric()) {
    gluQuadricDrawStyle(quadric_, GLU_FILL);
    fixedFunction = qEnvironmentVariableIntValue("RAVEK_FIXED_FUNCTION") != 0;
}

const SceneContent& CMolScene::Content() {
    ContentInputs inputs(*view, *document);
    if (contentInputs_ == nullptr || !(*contentInputs_ == inputs)) {
        content_ = BuildSceneContent(*view, *document);
        renderer_.Load(content_);
        contentInputs_ = std::make_unique<ContentInputs>(std::move(inputs));
    }
    return content_;
}

CMolScene::~CMolScene() {
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
    gluDeleteQuadric(quadric_);
}

void CMolScene::reshape(int width, int height) {
    region_ = Region();
    width_ = width;
    height_ = height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    MultiplyProjection(view->camera, static_cast<double>(width) / static_cast<double>(height));
    glMatrixMode(GL_MODELVIEW);
    glViewport(0, 0, width, height);
}

void CMolScene::reshapeRegion(int fullWidth, int fullHeight, int x, int y, int width, int height) {
    // The whole picture's projection, then the region stretched over the
    // normalised device square: x' = (W / w)·x + (W - 2·x0 - w) / w.
    const double W = fullWidth, H = fullHeight, w = width, h = height;
    region_ = {true, x, y, fullWidth, fullHeight};
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glTranslated((W - 2.0 * x - w) / w, (H - 2.0 * y - h) / h, 0.0);
    glScaled(W / w, H / h, 1.0);
    MultiplyProjection(view->camera, W / H);
    glMatrixMode(GL_MODELVIEW);
    glViewport(0, 0, width, height);
}

int CMolScene::TileMargin() const {
    // Wide points are dropped whole when their centre leaves the viewport: a
    // tile drawn with this much around it holds every point that reaches
    // into it. (Labels are placed in window coordinates while tiling, see
    // PlaceLabel.)
    const double points = std::max(document->wireAtomScale, document->wireBondScale) + 5.0;
    return static_cast<int>(std::ceil(points * view->lineScale)) + 2;
}

bool CMolScene::PlaceLabel(const Point3D& s) const {
    using WindowPos = void (*)(GLdouble, GLdouble, GLdouble);
    const QOpenGLContext* context = QOpenGLContext::currentContext();
    const auto windowPos =
        region_.active && context != nullptr
            ? reinterpret_cast<WindowPos>(context->getProcAddress("glWindowPos3d"))
            : nullptr;
    if (windowPos == nullptr) {
        glRasterPos3d(s.x, s.y, s.z);
        return true;
    }
    // A tile of a larger picture: the label's anchor may lie outside the
    // tile while its glyphs reach in. The raster position is set in window
    // coordinates, where it stays valid, whenever the anchor lies in the
    // whole picture (where the whole picture's drawing would place it).
    GLdouble x = 0, y = 0, z = 0;
    if (!ProjectToWindow(s, x, y, z))
        return false;
    const double fullX = x + region_.x, fullY = y + region_.y;
    if (z < 0.0 || z > 1.0 || fullX < 0.0 || fullY < 0.0 || fullX > region_.fullWidth ||
        fullY > region_.fullHeight)
        return false;
    windowPos(x, y, z);
    return true;
}

void CMolScene::SetUpLighting() {
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, materialAmbientDiffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, materialSpecular);
    glMaterialf(GL_FRONT, GL_SHININESS, 100.0F);
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    if (view->displayFlags == ViewState::kWireFrame || view->displayFlags == ViewState::kRibbon) {
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
        glDisable(GL_COLOR_MATERIAL);
    } else {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_COLOR_MATERIAL);
    }
}

void CMolScene::LoadOrientation() const {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMultMatrixd(view->camera.orientation.data());
}

void CMolScene::render() {
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The light stays where the eye is, whatever the model's orientation.
    SetUpLighting();
    LoadOrientation();
    if (document->data != nullptr) {
        const SceneContent& content = Content();
        if (UsesShaders()) {
            glLoadMatrixd(view->camera.ModelView().data());
            renderer_.Draw(content, view->lineScale);
            renderer_.DrawSurfaces(content);
            LoadOrientation();
        } else {
            drawModel(GL_RENDER);
            drawCartoonCompanions(content);
            drawMeasurementDashes(content);
            drawSurfaces(content);
        }
        if (view->dragMode == ViewState::kNoDrag)
            drawLabels();
    }
    glFlush();
}

void CMolScene::drawCartoonCompanions(const SceneContent& content) {
    // The drawing from the model draws the wire frame and ball and stick
    // itself: with ball and stick on it has drawn these spheres and sticks
    // already, with the wire frame these points.
    const int flags = view->displayFlags;
    if ((flags & ViewState::kCartoon) == 0)
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_POINT_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixd(view->camera.ModelView().data());
    if ((flags & ViewState::kBallAndStick) == 0 && !content.spheres.empty()) {
        glEnable(GL_NORMALIZE);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        const Mesh& sphere = SphereMesh(2 * slices);
        const GLuint sphereList = ListOf(sphere);
        const float bright[4] = {1.0F, 1.0F, 1.0F, 1.0F};
        for (const SceneSphere& s : content.spheres) {
            if (s.selected)
                glLightfv(GL_LIGHT0, GL_AMBIENT, bright);
            glColor4fv(s.colour.data());
            glPushMatrix();
            glTranslated(s.centre.x, s.centre.y, s.centre.z);
            glScaled(s.radius, s.radius, s.radius);
            DrawMesh(sphere, sphereList);
            glPopMatrix();
            if (s.selected)
                glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
        }
        const Mesh& stick = TubeMesh(slices, false);
        const GLuint stickList = ListOf(stick);
        for (const SceneStick& s : content.sticks) {
            const Point3D v = Minus(s.to, s.from);
            glColor4fv(s.colour.data());
            glPushMatrix();
            glTranslated(s.from.x, s.from.y, s.from.z);
            RotateZOnto(HalfTurnAxis(v));
            glScaled(s.radius, s.radius, Length(v));
            DrawMesh(stick, stickList);
            glPopMatrix();
        }
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    if ((flags & ViewState::kWireFrame) == 0 && !content.points.empty()) {
        glDisable(GL_LIGHTING);
        glPointSize(static_cast<float>(content.pointSize * view->lineScale));
        if (content.smooth)
            glEnable(GL_POINT_SMOOTH);
        glBegin(GL_POINTS);
        for (const ::ScenePoint& p : content.points) {
            glColor4fv(p.colour.data());
            glVertex3d(p.at.x, p.at.y, p.at.z);
        }
        glEnd();
    }
    glPopMatrix();
    glPopAttrib();
}

void CMolScene::drawMeasurementDashes(const SceneContent& content) {
    if (content.measurementDashes.empty())
        return;
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixd(view->camera.ModelView().data());
    glDisable(GL_LIGHTING);
    // Drawn over everything: along a bond a line would lie inside the
    // stick this drawing makes.
    glDisable(GL_DEPTH_TEST);
    glLineWidth(static_cast<float>(2.0 * view->lineScale));
    glBegin(GL_LINES);
    for (const SceneLine& line : content.measurementDashes) {
        glColor4fv(line.colour.data());
        glVertex3d(line.from.x, line.from.y, line.from.z);
        glVertex3d(line.to.x, line.to.y, line.to.z);
    }
    glEnd();
    glPopMatrix();
    glPopAttrib();
}

void CMolScene::drawSurfaces(const SceneContent& content) {
    if (content.surfaces.empty())
        return;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixd(view->camera.ModelView().data());
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
    glDisable(GL_NORMALIZE);
    glPopMatrix();
}

void CMolScene::drawModel(GLenum mode) {
    if ((view->displayFlags & ViewState::kWireFrame) != 0)
        drawWireFrame(mode);
    if ((view->displayFlags & ViewState::kBallAndStick) != 0)
        drawBallAndStick(mode);
    if ((view->displayFlags & ViewState::kRibbon) != 0)
        drawRibbon(mode);
}

void CMolScene::SetAtomColour(CMolData& data, int a) const {
    glColor4fv(AtomColour(*view, data, a).data());
}

Point3D CMolScene::ScenePoint(CMolData& data, int a) const {
    const Point3D p = DrawnPosition(*view, data, a);
    const double s = view->camera.Scale();
    const Point3D& c = view->camera.centre;
    return {(p.x - c.x) * s, (p.y - c.y) * s, (p.z - c.z) * s};
}

void CMolScene::drawWireFrame(GLenum mode) {
    CMolData& data = *document->data;
    glPointSize(static_cast<float>(document->wireAtomScale * view->lineScale));
    glLineWidth(static_cast<float>(document->wireBondScale * view->lineScale));
    if (document->antialiasing != 0) {
        EnableSmoothing();
    } else {
        glDisable(GL_POINT_SMOOTH);
        glDisable(GL_LINE_SMOOTH);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    if (mode == GL_SELECT) {
        // Each atom near the pick by its name, drawn as it always was so the
        // pick meets exactly the same points and arrows.
        const int atoms = data.AtomCount(view->frame);
        for (int a = 0; a < atoms; ++a) {
            if (IsAtomSkipped(*view, data, a) ||
                FarFromPick(data, a, 0.0, document->wireAtomScale * 0.5))
                continue;
            glLoadName(static_cast<GLuint>(a));
            const Point3D s = ScenePoint(data, a);
            glBegin(GL_POINTS);
            glVertex3d(s.x, s.y, s.z);
            glEnd();
            if ((view->displayFlags & ViewState::kVibration) != 0) {
                glPushMatrix();
                glTranslated(s.x, s.y, s.z);
                drawDisplacementArrow(a);
                glPopMatrix();
            }
        }
        return;
    }
    // Every shown atom's point with its colour, in atom order, drawn from
    // arrays in one call.
    points_.clear();
    pointColours_.clear();
    pointAtoms_.clear();
    const int atoms = data.AtomCount(view->frame);
    for (int a = 0; a < atoms; ++a) {
        if (IsAtomSkipped(*view, data, a))
            continue;
        // Selected atoms white, invisible marks white and transparent.
        GLfloat colour[4] = {1.0F, 1.0F, 1.0F, 1.0F};
        if (!IsSelectedAtom(*view, a)) {
            if (document->hideAtoms != 0)
                colour[3] = 0.0F;
            else {
                const Rgba c = AtomColour(*view, data, a);
                std::copy(c.begin(), c.end(), colour);
            }
        }
        const Point3D p = ScenePoint(data, a);
        points_.insert(points_.end(), {static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y),
                                       static_cast<GLfloat>(p.z)});
        pointColours_.insert(pointColours_.end(), colour, colour + 4);
        pointAtoms_.push_back(a);
    }
    // With arrows shown the points and lines are lit, by the normal the
    // plain drawing happened to leave: that of the seam of a GLU arrow cone
    // of half an ångström. Arrays leave the current normal undefined, so it
    // is set here, for the lines and labels too.
    glNormal3f(0.0F, 0.987F, 0.158F);
    // Invisible atom marks must not hide what lies behind them; the bonds
    // are drawn the same way then.
    if (document->hideAtoms != 0 && !pointAtoms_.empty())
        glDisable(GL_DEPTH_TEST);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, points_.data());
    glColorPointer(4, GL_FLOAT, 0, pointColours_.data());
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(pointAtoms_.size()));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    if ((view->displayFlags & ViewState::kVibration) != 0) {
        for (std::size_t i = 0; i < pointAtoms_.size(); ++i) {
            const int a = pointAtoms_[i];
            glColor4fv(&pointColours_[i * 4]);
            glPushMatrix();
            glTranslatef(points_[i * 3], points_[i * 3 + 1], points_[i * 3 + 2]);
            drawDisplacementArrow(a);
            glPopMatrix();
        }
    }
    // Each bond in one colour: grey, or the colour its lower atom has by
    // residue, chain, structure, B-factor or place along the chain.
    lines_.clear();
    lineColours_.clear();
    GLfloat colour[4] = {kBondGrey[0], kBondGrey[1], kBondGrey[2], kBondGrey[3]};
    ForEachDrawnBond(
        data,
        [&](int a) {
            if (view->colourMode != kColourElement || view->atomValues.colour) {
                const Rgba c = AtomColour(*view, data, a);
                std::copy(c.begin(), c.end(), colour);
            }
        },
        [&](int a, int b) {
            for (const Point3D& p : {ScenePoint(data, a), ScenePoint(data, b)}) {
                lines_.insert(lines_.end(), {static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y),
                                             static_cast<GLfloat>(p.z)});
                lineColours_.insert(lineColours_.end(), colour, colour + 4);
            }
        });
    glNormal3f(0.0F, 0.987F, 0.158F);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, lines_.data());
    glColorPointer(4, GL_FLOAT, 0, lineColours_.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(lines_.size() / 3));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glColor4fv(kBondGrey.data());
}

void CMolScene::DrawMesh(const Mesh& mesh, GLuint list) {
    if (list != 0)
        glCallList(list);
    else
        mesh.Draw();
}

GLuint CMolScene::ListOf(const Mesh& mesh) {
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

const Mesh& CMolScene::SphereMesh(int n) {
    auto it = spheres_.find(n);
    if (it == spheres_.end())
        it = spheres_.emplace(n, Mesh::Sphere(n, n)).first;
    return it->second;
}

const Mesh& CMolScene::TubeMesh(int n, bool cone) {
    auto& meshes = cone ? cones_ : tubes_;
    auto it = meshes.find(n);
    if (it == meshes.end())
        it = meshes.emplace(n, Mesh::Tube(n, cone ? 0.0 : 1.0)).first;
    return it->second;
}

void CMolScene::drawBallAndStick(GLenum mode) {
    CMolData& data = *document->data;
    const double scale = view->camera.Scale();
    // Unit meshes sized by the model-view matrix: normals are scaled with
    // them and made unit again. Spheres are closed, so their back faces are
    // never seen.
    glEnable(GL_NORMALIZE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    // Every sphere has the slices and stacks the resolution asks for: fewer
    // on small spheres would move their highlights.
    const Mesh& sphere = SphereMesh(2 * slices);
    const GLuint sphereList = mode == GL_SELECT ? 0 : ListOf(sphere);
    const int atoms = data.AtomCount(view->frame);
    for (int a = 0; a < atoms; ++a) {
        if (IsAtomSkipped(*view, data, a))
            continue;
        const double radius = document->ballAtomScale *
                              ElementTable::Row(data.GetElement(view->frame, a)).radius * scale;
        if (mode == GL_SELECT && FarFromPick(data, a, radius, 0.0))
            continue;
        glPushMatrix();
        const bool selected = IsSelectedAtom(*view, a);
        if (selected) {
            const float bright[4] = {1.0F, 1.0F, 1.0F, 1.0F};
            glLightfv(GL_LIGHT0, GL_AMBIENT, bright);
        }
        SetAtomColour(data, a);
        const Point3D s = ScenePoint(data, a);
        glTranslated(s.x, s.y, s.z);
        if (mode == GL_SELECT)
            glLoadName(static_cast<GLuint>(a));
        if (mode == GL_SELECT) {
            // A pick meets exactly the surface it always met, to the last
            // bit of its depth; only the few atoms near the pick get here.
            gluSphere(quadric_, radius, 2 * slices, 2 * slices);
        } else {
            glPushMatrix();
            glScaled(radius, radius, radius);
            // A sphere the near plane cuts shows its inside.
            const bool closed = EyeDepth(s) - radius > view->camera.nearPlane;
            if (closed)
                glEnable(GL_CULL_FACE);
            DrawMesh(sphere, sphereList);
            glDisable(GL_CULL_FACE);
            glPopMatrix();
        }
        if ((view->displayFlags & ViewState::kVibration) != 0)
            drawDisplacementArrow(a);
        if (selected)
            glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
        glPopMatrix();
    }
    if (mode != GL_SELECT) {
        glColor4fv(kBondGrey.data());
        const Mesh& stick = TubeMesh(slices, false);
        const GLuint stickList = ListOf(stick);
        const double radius = document->ballBondScale * scale;
        ForEachDrawnBond(
            data, [](int) {},
            [&](int a, int b) {
                glPushMatrix();
                const Point3D s = ScenePoint(data, a);
                glTranslated(s.x, s.y, s.z);
                Point3D axis;
                double length = 0.0;
                if (view->vibrationOffset == 0.0) {
                    axis = data.GetBondAxis(view->frame, a, b);
                    length = data.GetDistance(view->frame, a, b);
                } else {
                    // The bond follows its atoms along the mode.
                    const Point3D p = DrawnPosition(*view, data, a),
                                  q = DrawnPosition(*view, data, b);
                    const Point3D v = Minus(q, p);
                    axis = HalfTurnAxis(v);
                    length = Length(v);
                }
                RotateZOnto(axis);
                glScaled(radius, radius, length * scale);
                DrawMesh(stick, stickList);
                glPopMatrix();
            });
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_NORMALIZE);
}

bool CMolScene::PrepareRibbon(std::vector<GLdouble>& controls, std::vector<RibbonPiece>& pieces) {
    CMolData& data = *document->data;
    glLineWidth(static_cast<float>(5.0 * view->lineScale));
    if (data.sourceKind != CMolData::SourceKind::kPdb || !ComputeBackboneAngles(data, view->frame))
        return false;
    const std::map<int, int>& list = data.GetBackboneAtoms(view->frame);
    std::vector<Point3D> backbone;
    backbone.reserve(list.size());
    for (const auto& [key, atom] : list) {
        Point3D p;
        p = data.GetAtomPos(view->frame, atom);
        backbone.push_back(p);
    }
    const int n = static_cast<int>(backbone.size()) - 2;
    if (n < 1)
        return false;
    EnableSmoothing(); // the trace is always smoothed
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4fv(kBondGrey.data());
    // Control point c: the mean of backbone atoms c, c + 1, c + 2, in scene
    // units.
    const double scale = view->camera.Scale();
    const Point3D& centre = view->camera.centre;
    controls.clear();
    controls.reserve(static_cast<std::size_t>(n) * 3);
    for (std::size_t c = 0; c + 2 < backbone.size(); ++c) {
        const Point3D& a = backbone[c];
        const Point3D& b = backbone[c + 1];
        const Point3D& d = backbone[c + 2];
        controls.push_back(((a.x + b.x + d.x) / 3 - centre.x) * scale);
        controls.push_back(((a.y + b.y + d.y) / 3 - centre.y) * scale);
        controls.push_back(((a.z + b.z + d.z) / 3 - centre.z) * scale);
    }
    pieces = PlanRibbonPieces(RibbonSegmentEnds(backbone));
    return true;
}

void CMolScene::drawRibbon(GLenum) {
    std::vector<GLdouble> controls;
    std::vector<RibbonPiece> pieces;
    if (!PrepareRibbon(controls, pieces))
        return;
    // The content's curve, in scene units, each piece a strip from an array.
    glShadeModel(GL_FLAT);
    const double scale = view->camera.Scale();
    const Point3D& centre = view->camera.centre;
    ribbon_.clear();
    std::vector<GLint> starts;
    for (const SceneStrip& strip : Content().strips) {
        starts.push_back(static_cast<GLint>(ribbon_.size() / 3));
        for (const Point3D& p : strip.points) {
            const Point3D s = Scaled(Minus(p, centre), scale);
            ribbon_.insert(ribbon_.end(), {static_cast<GLfloat>(s.x), static_cast<GLfloat>(s.y),
                                           static_cast<GLfloat>(s.z)});
        }
    }
    starts.push_back(static_cast<GLint>(ribbon_.size() / 3));
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, ribbon_.data());
    for (std::size_t i = 0; i + 1 < starts.size(); ++i)
        glDrawArrays(GL_LINE_STRIP, starts[i], starts[i + 1] - starts[i]);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void CMolScene::drawDisplacementArrow(int a) {
    CMolData& data = *document->data;
    // No displacement, no arrow (a cone of length 0 would be a flat disc).
    Point3D direction;
    const double length = ArrowLength(*view, data, a, &direction);
    if (!(length > 0.0) || !std::isfinite(length))
        return;
    GLfloat saved[4];
    glGetFloatv(GL_CURRENT_COLOR, saved);
    glColor4fv(kArrowColour.data());
    glPushMatrix();
    RotateZOnto(HalfTurnAxis(direction));
    const double scale = view->camera.Scale();
    if (pick_.active) {
        gluCylinder(quadric_, kArrowRadius * scale, 0.0, length * scale, slices, slices);
        glPopMatrix();
        glColor4fv(saved);
        return;
    }
    glScaled(kArrowRadius * scale, kArrowRadius * scale, length * scale);
    const GLboolean normalize = glIsEnabled(GL_NORMALIZE);
    glEnable(GL_NORMALIZE);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    const Mesh& cone = TubeMesh(slices, true);
    DrawMesh(cone, ListOf(cone));
    glPopClientAttrib();
    if (normalize == GL_FALSE)
        glDisable(GL_NORMALIZE);
    glPopMatrix();
    glColor4fv(saved);
}

void CMolScene::drawLabels() {
    const SceneContent& content = Content();
    if (content.labels.empty())
        return; // nothing to write: the glyphs need not exist yet
    labelFont_.Prepare(static_cast<int>(view->printScale * 24.0));
    if ((view->displayFlags & ViewState::kBallAndStick) != 0) {
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
        glDisable(GL_COLOR_MATERIAL);
    }
    const double scale = view->camera.Scale();
    const Point3D& centre = view->camera.centre;
    // Plain bitmap text, or each label over a thin outline: the text drawn
    // first in the outline's colour a pixel (of the picture's scale) away in
    // four directions.
    const float step = static_cast<float>(std::max(1.0, std::round(view->printScale)));
    static const int kAround[5][2] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}, {0, 0}};
    const std::size_t firstPass = view->labelOutlines ? 0 : 4;
    // The values of measurements never pile up: one whose text would lie
    // over an earlier one's moves down a line at a time until it is clear
    // (the text boxes are estimated from the font's height).
    const double lineHeight = std::max(1.0, std::floor(view->printScale * 24.0));
    std::vector<std::array<double, 4>> valueBoxes; // left, bottom, right, top in pixels
    for (const SceneLabel& label : content.labels) {
        glPushMatrix();
        glLoadIdentity();
        glTranslated(0.0, 0.0, label.lift * scale);
        glMultMatrixd(view->camera.orientation.data());
        const Point3D anchor = Scaled(Minus(label.at, centre), scale);
        double down = 0.0;
        if (label.atom < 0) {
            GLdouble x = 0, y = 0, z = 0;
            if (ProjectToWindow(anchor, x, y, z)) {
                const double width = 0.55 * lineHeight * static_cast<double>(label.text.size());
                const auto overlaps = [&](double bottom) {
                    return std::any_of(valueBoxes.begin(), valueBoxes.end(), [&](const auto& b) {
                        return x < b[2] && x + width > b[0] && bottom < b[3] &&
                               bottom + lineHeight > b[1];
                    });
                };
                while (overlaps(y - down) && down < 20.0 * lineHeight)
                    down += lineHeight;
                valueBoxes.push_back({x, y - down, x + width, y - down + lineHeight});
            }
        }
        const Rgba& colour = label.colour;
        // Dark text gets a light outline, so that it reads on any background.
        const float luminance = 0.3F * colour[0] + 0.59F * colour[1] + 0.11F * colour[2];
        const float outline = luminance < 0.35F ? 0.92F : 0.08F;
        for (std::size_t pass = firstPass; pass < 5; ++pass) {
            const int* offset = kAround[pass];
            const bool text = pass == 4;
            // The raster colour is taken when the position is set. The
            // outline leaves the depth alone, so that the text at the same
            // depth is drawn over it.
            glDepthMask(text ? GL_TRUE : GL_FALSE);
            if (text)
                glColor3fv(colour.data());
            else
                glColor3f(outline, outline, outline);
            if (!PlaceLabel(anchor))
                break;
            glBitmap(0, 0, 0.0F, 0.0F, static_cast<float>(offset[0]) * step,
                     static_cast<float>(offset[1]) * step - static_cast<float>(down), nullptr);
            glCallLists(static_cast<GLsizei>(label.text.size()), GL_UNSIGNED_BYTE,
                        label.text.data());
        }
        glDepthMask(GL_TRUE);
        glPopMatrix();
    }
}

double CMolScene::EyeDepth(const Point3D& s) const {
    const Matrix4& m = view->camera.orientation;
    return view->camera.eyeDistance - (m[2] * s.x + m[6] * s.y + m[10] * s.z + m[14]);
}

bool CMolScene::FarFromPick(CMolData& data, int a, double radius, double pixels) const {
    // Whether everything drawn for atom a (a sphere of radius scene units, a
    // point of pixels radius, its arrow) surely lies outside the pick
    // window: such an atom cannot give a hit, and is not drawn for one. A
    // circle about the projected centre, enlarged for the nearest depth of
    // the shape and for the stretch of perspective towards the picture's
    // edges, holds its projection.
    if (!pick_.active)
        return false;
    if ((view->displayFlags & ViewState::kVibration) != 0) {
        const double length = ArrowLength(*view, data, a, nullptr);
        if (!std::isfinite(length))
            return false;
        radius = std::max(radius, (length + kArrowRadius) * view->camera.Scale());
    }
    const Point3D s = ScenePoint(data, a);
    const Matrix4& m = view->camera.orientation;
    const double ex = m[0] * s.x + m[4] * s.y + m[8] * s.z + m[12];
    const double ey = m[1] * s.x + m[5] * s.y + m[9] * s.z + m[13];
    const double depth = EyeDepth(s);
    const double nearest = depth - radius;
    if (!(nearest > view->camera.nearPlane))
        return false; // reaches the eye: the selection decides
    const double aspect = pick_.width / pick_.height;
    const double f = 1.0 / std::tan(view->camera.VerticalFieldOfView(aspect) * M_PI / 360.0);
    const double x = (f / aspect * ex / depth + 1.0) * 0.5 * pick_.width;
    const double y = (f * ey / depth + 1.0) * 0.5 * pick_.height;
    const double stretch = 1.0 + (std::abs(ex) + std::abs(ey)) / nearest;
    const double reach = radius * f * 0.5 * pick_.height / nearest * stretch + pixels + 2.0;
    const double dx = std::max(0.0, std::abs(x - pick_.x) - 2.5);
    const double dy = std::max(0.0, std::abs(y - pick_.y) - 2.5);
    return dx * dx + dy * dy > reach * reach;
}

GLint CMolScene::RunPick(int x, int y, std::vector<GLuint>& buffer) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(kPlaceholderName);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(x, viewport[3] - y, 5.0, 5.0, viewport);
    MultiplyProjection(view->camera,
                       static_cast<double>(viewport[2]) / static_cast<double>(viewport[3]));
    LoadOrientation();
    pick_ = {true, static_cast<double>(x), static_cast<double>(viewport[3] - y),
             static_cast<double>(viewport[2]), static_cast<double>(viewport[3])};
    drawModel(GL_SELECT);
    pick_.active = false;
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glFlush();
    return glRenderMode(GL_RENDER);
}

int CMolScene::hitTest(int x, int y) {
    if (document->data == nullptr)
        return -1;
    // The picture picked in is the current context's viewport, as it was
    // drawn.
    GLint viewport[4] = {0, 0, width_, height_};
    if (QOpenGLContext::currentContext() != nullptr)
        glGetIntegerv(GL_VIEWPORT, viewport);
    return PickAtom(Content(), PickView::Of(view->camera, viewport[2], viewport[3]), x, y);
}

int CMolScene::hitTestBySelection(int x, int y) {
    if (document->data == nullptr)
        return -1;
    std::vector<GLuint> buffer(kSelectBufferWords);
    GLint hits = RunPick(x, y, buffer);
    if (hits < 0) {
        // More atoms under the cursor than the buffer holds: pick again with
        // room for a record of every atom, so the nearest one still wins.
        buffer.assign(static_cast<std::size_t>(document->data->AtomCount(view->frame) + 1) * 4, 0);
        hits = RunPick(x, y, buffer);
    }
    return hits > 0 ? NearestHit(buffer.data(), hits) : -1;
}
