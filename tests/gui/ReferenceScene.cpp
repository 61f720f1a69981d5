#include "ReferenceScene.h"

#include "model/BackboneAngles.h"
#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "render/FixedFunctionRenderer.h"
#include "render/MolDocState.h"
#include "render/SceneContentBuilder.h"
#include "render/SceneLighting.h"
#include "render/ViewState.h"

#include <GL/glu.h>

#include <cmath>
#include <map>

namespace {

// The name an atom's drawing replaces: geometry drawn outside any atom.
constexpr GLuint kPlaceholderName = 0xFFFFFFFF;
constexpr int kSelectBufferWords = 512;

void EnableSmoothing() {
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glHint(GL_POINT_SMOOTH_HINT, GL_DONT_CARE);
    glHint(GL_LINE_SMOOTH_HINT, GL_DONT_CARE);
}

} // namespace

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

ReferenceScene::ReferenceScene(const ViewState* viewState, const MolDocState* documentState)
    : view(viewState), document(documentState), quadric_(gluNewQuadric()),
      labels_(viewState, documentState) {
    gluQuadricDrawStyle(quadric_, GLU_FILL);
    labels_.fixedFunction = true;
}

ReferenceScene::~ReferenceScene() {
    gluDeleteQuadric(quadric_);
}

void ReferenceScene::reshape(int width, int height) {
    labels_.reshape(width, height);
}

bool ReferenceScene::IsSkipped(const CMolData&, int a) const {
    return IsAtomSkipped(*view, *document, a);
}

bool ReferenceScene::IsHiddenHydrogen(const CMolData& data, int a) const {
    return ::IsHiddenHydrogen(*view, data, a);
}

bool ReferenceScene::IsSelected(int a) const {
    return IsSelectedAtom(*view, a);
}

void ReferenceScene::SetAtomColour(const CMolData&, int a) const {
    glColor4fv(AtomColour(*view, *document, a).data());
}

Point3D ReferenceScene::ScenePoint(const CMolData& data, int a) const {
    const Point3D p = DrawnPosition(*view, data, a);
    const double s = view->camera.Scale();
    const Point3D& c = view->camera.centre;
    return {(p.x - c.x) * s, (p.y - c.y) * s, (p.z - c.z) * s};
}

// Calls atomStep(a) for every shown atom, then bondStep(a, b) for each of
// its bonds that is drawn: each bond once, from its lower atom, when that
// atom is shown and the other is not a hidden hydrogen.
template <class AtomStep, class BondStep>
void ReferenceScene::ForEachDrawnBond(const CMolData& data, AtomStep atomStep, BondStep bondStep) {
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

void ReferenceScene::render() {
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const int flags = view->displayFlags;
    SceneLighting::Apply(flags != ViewState::kWireFrame && flags != ViewState::kRibbon);
    glLoadMatrixd(view->camera.orientation.data());
    if (document->data != nullptr) {
        if ((flags & ViewState::kWireFrame) != 0)
            drawWireFrame(GL_RENDER);
        if ((flags & ViewState::kBallAndStick) != 0)
            drawBallAndStick(GL_RENDER);
        if ((flags & ViewState::kRibbon) != 0)
            drawRibbon();
        if (view->dragMode == ViewState::kNoDrag)
            labels_.drawLabels();
    }
    glFlush();
}

bool ReferenceScene::PrepareRibbon(std::vector<GLdouble>& controls,
                                   std::vector<RibbonPiece>& pieces) {
    const CMolData& data = *document->data;
    glLineWidth(static_cast<float>(5.0 * view->lineScale));
    if (data.sourceKind != CMolData::SourceKind::kPdb || !ComputeBackboneAngles(data, view->frame))
        return false;
    const std::map<int, int>& list = data.GetBackboneAtoms(view->frame);
    std::vector<Point3D> backbone;
    backbone.reserve(list.size());
    for (const auto& [key, atom] : list)
        backbone.push_back(data.GetAtomPos(view->frame, atom));
    const int n = static_cast<int>(backbone.size()) - 2;
    if (n < 1)
        return false;
    EnableSmoothing();
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4fv(kBondGrey.data());
    // Control point c: the mean of backbone atoms c, c + 1, c + 2, in scene
    // units.
    const double scale = view->camera.Scale();
    const Point3D& centre = view->camera.centre;
    controls.clear();
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

void ReferenceScene::drawWireFrame(GLenum mode) {
    const CMolData& data = *document->data;
    glPointSize(static_cast<float>(document->wireAtomScale));
    glLineWidth(static_cast<float>(document->wireBondScale));
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (document->antialiasing != 0) {
        glEnable(GL_POINT_SMOOTH);
        glEnable(GL_LINE_SMOOTH);
    } else {
        glDisable(GL_POINT_SMOOTH);
        glDisable(GL_LINE_SMOOTH);
    }
    const int atoms = data.AtomCount(view->frame);
    for (int a = 0; a < atoms; ++a) {
        if (IsSkipped(data, a))
            continue;
        if (document->hideAtoms != 0) {
            glDisable(GL_DEPTH_TEST);
            glColor4d(1.0, 1.0, 1.0, 0.0);
        } else {
            SetAtomColour(data, a);
        }
        if (IsSelected(a))
            glColor3d(1.0, 1.0, 1.0);
        if (mode == GL_SELECT)
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
    if (mode == GL_SELECT)
        return;
    glColor4fv(kBondGrey.data());
    ForEachDrawnBond(
        data,
        [&](int a) {
            if (view->colourMode == 1)
                SetAtomColour(data, a);
        },
        [&](int a, int b) {
            const Point3D from = ScenePoint(data, a);
            const Point3D to = ScenePoint(data, b);
            glBegin(GL_LINES);
            glVertex3d(from.x, from.y, from.z);
            glVertex3d(to.x, to.y, to.z);
            glEnd();
        });
}
void ReferenceScene::drawBallAndStick(GLenum mode) {
    const CMolData& data = *document->data;
    const double scale = view->camera.Scale();
    const int atoms = data.AtomCount(view->frame);
    for (int a = 0; a < atoms; ++a) {
        if (IsSkipped(data, a))
            continue;
        glPushMatrix();
        const bool selected = IsSelected(a);
        if (selected) {
            const float bright[4] = {1.0F, 1.0F, 1.0F, 1.0F};
            glLightfv(GL_LIGHT0, GL_AMBIENT, bright);
        }
        SetAtomColour(data, a);
        const Point3D s = ScenePoint(data, a);
        glTranslated(s.x, s.y, s.z);
        if (mode == GL_SELECT)
            glLoadName(static_cast<GLuint>(a));
        const double radius =
            document->ballAtomScale * ElementTable::Row(data.GetElement(view->frame, a)).radius;
        gluSphere(quadric_, radius * scale, 2 * slices, 2 * slices);
        if ((view->displayFlags & ViewState::kVibration) != 0)
            drawDisplacementArrow(a);
        if (selected)
            glLightfv(GL_LIGHT0, GL_AMBIENT, SceneLighting::kAmbient);
        glPopMatrix();
    }
    if (mode == GL_SELECT)
        return;
    glColor4fv(kBondGrey.data());
    ForEachDrawnBond(
        data, [](int) {},
        [&](int a, int b) {
            glPushMatrix();
            const Point3D s = ScenePoint(data, a);
            glTranslated(s.x, s.y, s.z);
            RotateZOnto(data.GetBondAxis(view->frame, a, b));
            const double radius = document->ballBondScale * scale;
            gluCylinder(quadric_, radius, radius, data.GetDistance(view->frame, a, b) * scale,
                        slices, slices);
            glPopMatrix();
        });
}
void ReferenceScene::drawDisplacementArrow(int a) {
    const CMolData& data = *document->data;
    if (data.vibrationState != CMolData::kVibrationPresent)
        return;
    const double length = data.GetDistance(view->frame, a, -1);
    if (!(length > 0.0) || !std::isfinite(length))
        return;
    GLfloat saved[4];
    glGetFloatv(GL_CURRENT_COLOR, saved);
    glColor4fv(kArrowColour.data());
    RotateZOnto(data.GetBondAxis(view->frame, a, -1));
    const double scale = view->camera.Scale();
    gluCylinder(quadric_, 0.08 * scale, 0.0, length * scale, slices, slices);
    glColor4fv(saved);
}
void ReferenceScene::drawRibbon() {
    std::vector<GLdouble> controls;
    std::vector<RibbonPiece> pieces;
    if (!PrepareRibbon(controls, pieces))
        return;
    // Mesa hatches wide smoothed lines; the plain wide line is the picture
    // the ribbon is held to.
    glDisable(GL_LINE_SMOOTH);
    for (const RibbonPiece& piece : pieces) {
        glShadeModel(GL_FLAT);
        glMap1d(GL_MAP1_VERTEX_3, 0.0, 1.0, 3, piece.degree + 1,
                &controls[static_cast<std::size_t>(piece.start) * 3]);
        glEnable(GL_MAP1_VERTEX_3);
        glBegin(GL_LINE_STRIP);
        for (int i = 0; i <= 30; ++i)
            glEvalCoord1d(i * (1.0 / 30.0));
        glEnd();
    }
}

double ReferenceScene::EyeDepth(const Point3D& s) const {
    const Matrix4& m = view->camera.orientation;
    return view->camera.eyeDistance - (m[2] * s.x + m[6] * s.y + m[10] * s.z + m[14]);
}

bool ReferenceScene::FarFromPick(const CMolData& data, int a, double radius, double pixels) const {
    // Whether everything drawn for atom a (a sphere of radius scene units, a
    // point of pixels radius, its arrow) surely lies outside the pick
    // window: such an atom cannot give a hit, and is not drawn for one. A
    // circle about the projected centre, enlarged for the nearest depth of
    // the shape and for the stretch of perspective towards the picture's
    // edges, holds its projection.
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

void ReferenceScene::drawPickArrow(int a) {
    Point3D direction;
    const double length = ArrowLength(*view, *document->data, a, &direction);
    if (!(length > 0.0) || !std::isfinite(length))
        return;
    glPushMatrix();
    RotateZOnto(HalfTurnAxis(direction));
    const double scale = view->camera.Scale();
    gluCylinder(quadric_, kArrowRadius * scale, 0.0, length * scale, slices, slices);
    glPopMatrix();
}

void ReferenceScene::drawForPick() {
    const CMolData& data = *document->data;
    const bool arrows = (view->displayFlags & ViewState::kVibration) != 0;
    const double scale = view->camera.Scale();
    const int atoms = data.AtomCount(view->frame);
    if ((view->displayFlags & ViewState::kWireFrame) != 0) {
        glPointSize(static_cast<float>(document->wireAtomScale * view->lineScale));
        for (int a = 0; a < atoms; ++a) {
            if (IsSkipped(data, a) || FarFromPick(data, a, 0.0, document->wireAtomScale * 0.5))
                continue;
            glLoadName(static_cast<GLuint>(a));
            const Point3D s = ScenePoint(data, a);
            glBegin(GL_POINTS);
            glVertex3d(s.x, s.y, s.z);
            glEnd();
            if (arrows) {
                glPushMatrix();
                glTranslated(s.x, s.y, s.z);
                drawPickArrow(a);
                glPopMatrix();
            }
        }
    }
    if ((view->displayFlags & ViewState::kBallAndStick) != 0) {
        for (int a = 0; a < atoms; ++a) {
            if (IsSkipped(data, a))
                continue;
            const double radius = document->ballAtomScale *
                                  ElementTable::Row(data.GetElement(view->frame, a)).radius * scale;
            if (FarFromPick(data, a, radius, 0.0))
                continue;
            glPushMatrix();
            const Point3D s = ScenePoint(data, a);
            glTranslated(s.x, s.y, s.z);
            glLoadName(static_cast<GLuint>(a));
            gluSphere(quadric_, radius, 2 * slices, 2 * slices);
            if (arrows)
                drawPickArrow(a);
            glPopMatrix();
        }
    }
}

GLint ReferenceScene::RunPick(int x, int y, std::vector<GLuint>& buffer) {
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
    const Matrix4 projection = view->camera.Projection(static_cast<double>(viewport[2]) /
                                                       static_cast<double>(viewport[3]));
    glMultMatrixd(projection.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(view->camera.orientation.data());
    pick_ = {true, static_cast<double>(x), static_cast<double>(viewport[3] - y),
             static_cast<double>(viewport[2]), static_cast<double>(viewport[3])};
    drawForPick();
    pick_.active = false;
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glFlush();
    return glRenderMode(GL_RENDER);
}

int ReferenceScene::hitTestBySelection(int x, int y) {
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
