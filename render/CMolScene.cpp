#include "render/CMolScene.h"

#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "render/MolDocState.h"
#include "render/RibbonPlan.h"
#include "render/ViewState.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// The name an atom's drawing replaces: geometry drawn outside any atom.
constexpr GLuint kPlaceholderName = 0xFFFFFFFF;
constexpr int kSelectBufferWords = 512;
constexpr float kBondGrey[3] = {0.5F, 0.5F, 0.5F};
constexpr float kArrowColour[3] = {1.0F, 0.14F, 0.6667F};

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
    gluPerspective(camera.fieldOfView, aspect, camera.nearPlane, camera.farPlane);
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

CMolScene::CMolScene(const ViewState* viewState, const MolDocState* documentState)
    : view(viewState), document(documentState), quadric(gluNewQuadric()) {
    gluQuadricDrawStyle(quadric, GLU_FILL);
}

CMolScene::~CMolScene() {
    gluDeleteQuadric(quadric);
}

void CMolScene::reshape(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    MultiplyProjection(view->camera, static_cast<double>(width) / static_cast<double>(height));
    glMatrixMode(GL_MODELVIEW);
    glViewport(0, 0, width, height);
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
    if (document->data != nullptr)
        drawModel(GL_RENDER);
    glFlush();
}

void CMolScene::drawModel(GLenum mode) {
    if ((view->displayFlags & ViewState::kWireFrame) != 0)
        drawWireFrame(mode);
    if ((view->displayFlags & ViewState::kBallAndStick) != 0)
        drawBallAndStick(mode);
    if ((view->displayFlags & ViewState::kRibbon) != 0)
        drawRibbon(mode);
    // Labels are never picked: in selection mode their raster positions
    // would count as hits of the atom named last.
    if (view->dragMode == ViewState::kNoDrag && mode == GL_RENDER)
        drawLabels();
}

bool CMolScene::IsHiddenHydrogen(CMolData& data, int a) const {
    return view->showHydrogens == 0 && data.GetElement(view->frame, a) == 1;
}

bool CMolScene::IsSkipped(CMolData& data, int a) const {
    if ((data.sourceKind == CMolData::SourceKind::kPdb && !data.IsAtomShown(view->frame, a)) ||
        IsHiddenHydrogen(data, a) || !data.HasAtom(view->frame, a))
        return true;
    // An atom without a finite position has no place in the picture; only
    // a geometry that has one pays for looking.
    if (!data.GetFrame(view->frame)->hasNonFinitePosition)
        return false;
    Point3D p;
    data.GetAtomPos(view->frame, a, &p);
    return !std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z);
}

bool CMolScene::IsSelected(int a) const {
    const auto& selection = view->measurementSelection;
    return std::find(selection.begin(), selection.end(), a) != selection.end();
}

void CMolScene::SetAtomColour(CMolData& data, int a) const {
    if (view->colourMode == 0) {
        const ElementRecord& row = ElementTable::Row(data.GetElement(view->frame, a));
        glColor3d(row.red, row.green, row.blue);
    } else if (view->colourMode == 1) {
        glColor3dv(data.GetResidueColour(view->frame, data.GetResidueName(view->frame, a)));
    }
}

Point3D CMolScene::ScenePoint(CMolData& data, int a) const {
    Point3D p;
    data.GetAtomPos(view->frame, a, &p);
    const double s = view->camera.Scale();
    const Point3D& c = view->camera.centre;
    return {(p.x - c.x) * s, (p.y - c.y) * s, (p.z - c.z) * s};
}

void CMolScene::drawWireFrame(GLenum mode) {
    CMolData& data = *document->data;
    glPointSize(static_cast<float>(document->wireAtomScale));
    glLineWidth(static_cast<float>(document->wireBondScale));
    if (document->antialiasing != 0) {
        EnableSmoothing();
    } else {
        glDisable(GL_POINT_SMOOTH);
        glDisable(GL_LINE_SMOOTH);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
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
    glColor3fv(kBondGrey);
    // Each bond in one colour: grey, or the residue colour of its lower atom.
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

void CMolScene::drawBallAndStick(GLenum mode) {
    CMolData& data = *document->data;
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
        gluSphere(quadric, radius * scale, 2 * slices, 2 * slices);
        if ((view->displayFlags & ViewState::kVibration) != 0)
            drawDisplacementArrow(a);
        if (selected)
            glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
        glPopMatrix();
    }
    if (mode == GL_SELECT)
        return;
    glColor3fv(kBondGrey);
    ForEachDrawnBond(
        data, [](int) {},
        [&](int a, int b) {
            glPushMatrix();
            const Point3D s = ScenePoint(data, a);
            glTranslated(s.x, s.y, s.z);
            Point3D axis;
            RotateZOnto(*data.GetBondAxis(view->frame, a, b, &axis));
            const double radius = document->ballBondScale * scale;
            gluCylinder(quadric, radius, radius, data.GetDistance(view->frame, a, b) * scale,
                        slices, slices);
            glPopMatrix();
        });
}

template <class AtomStep, class BondStep>
void CMolScene::ForEachDrawnBond(CMolData& data, AtomStep atomStep, BondStep bondStep) {
    // Each bond once, from its lower atom, when that atom is shown and the
    // other is not a hidden hydrogen (whether its residue is shown does not
    // matter).
    const int atoms = data.AtomCount(view->frame);
    for (int a = 0; a < atoms; ++a) {
        if (IsSkipped(data, a))
            continue;
        atomStep(a);
        const int bonds = data.GetBondCount(view->frame, a);
        for (int k = 0; k < bonds; ++k) {
            const int b = data.GetBondedAtom(view->frame, a, k);
            if (a < b && !IsHiddenHydrogen(data, b))
                bondStep(a, b);
        }
    }
}

void CMolScene::drawRibbon(GLenum) {
    CMolData& data = *document->data;
    glLineWidth(5.0F);
    if (data.sourceKind != CMolData::SourceKind::kPdb || !data.ComputeBackboneAngles(0))
        return;
    const std::map<int, int>& list = *data.GetBackboneAtoms(view->frame);
    std::vector<Point3D> backbone;
    backbone.reserve(list.size());
    for (const auto& [key, atom] : list) {
        Point3D p;
        data.GetAtomPos(view->frame, atom, &p);
        backbone.push_back(p);
    }
    const int n = static_cast<int>(backbone.size()) - 2;
    if (n < 1)
        return;
    EnableSmoothing(); // the trace is always smoothed
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3fv(kBondGrey);
    // Control point c: the mean of backbone atoms c, c + 1, c + 2, in scene
    // units.
    const double scale = view->camera.Scale();
    const Point3D& centre = view->camera.centre;
    std::vector<GLdouble> controls;
    controls.reserve(static_cast<std::size_t>(n) * 3);
    for (std::size_t c = 0; c + 2 < backbone.size(); ++c) {
        const Point3D& a = backbone[c];
        const Point3D& b = backbone[c + 1];
        const Point3D& d = backbone[c + 2];
        controls.push_back(((a.x + b.x + d.x) / 3 - centre.x) * scale);
        controls.push_back(((a.y + b.y + d.y) / 3 - centre.y) * scale);
        controls.push_back(((a.z + b.z + d.z) / 3 - centre.z) * scale);
    }
    for (const RibbonPiece& piece : PlanRibbonPieces(RibbonSegmentEnds(backbone))) {
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

void CMolScene::drawDisplacementArrow(int a) {
    CMolData& data = *document->data;
    if (data.vibrationState != CMolData::kVibrationPresent)
        return;
    // No displacement, no arrow (a cone of length 0 would be a flat disc).
    const double length = data.GetDistance(view->frame, a, -1);
    if (!(length > 0.0) || !std::isfinite(length))
        return;
    GLfloat saved[4];
    glGetFloatv(GL_CURRENT_COLOR, saved);
    glColor3fv(kArrowColour);
    Point3D axis;
    RotateZOnto(*data.GetBondAxis(view->frame, a, -1, &axis));
    const double scale = view->camera.Scale();
    gluCylinder(quadric, 0.08 * scale, 0.0, length * scale, slices, slices);
    glColor4fv(saved);
}

void CMolScene::drawLabels() {
    CMolData& data = *document->data;
    if (view->labelledAtoms.empty())
        return; // nothing to write: the glyphs need not exist yet
    labelFont_.Prepare(static_cast<int>(view->printScale * 24.0));
    if ((view->displayFlags & ViewState::kBallAndStick) != 0) {
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
        glDisable(GL_COLOR_MATERIAL);
    }
    const double scale = view->camera.Scale();
    for (int a : view->labelledAtoms) {
        if (IsSkipped(data, a))
            continue;
        const ElementRecord& row = ElementTable::Row(data.GetElement(view->frame, a));
        if (view->labelsInElementColour)
            glColor3d(row.red, row.green, row.blue);
        else
            glColor3fv(view->labelColour);
        glPushMatrix();
        glLoadIdentity();
        glTranslated(0.0, 0.0, row.radius * scale * 0.3);
        glMultMatrixd(view->camera.orientation.data());
        const Point3D s = ScenePoint(data, a);
        glRasterPos3d(s.x, s.y, s.z);
        const char* text = data.GetAtomDescription(view->frame, a);
        const std::size_t length = std::char_traits<char>::length(text);
        glCallLists(static_cast<GLsizei>(length), GL_UNSIGNED_BYTE, text);
        glPopMatrix();
    }
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
    drawModel(GL_SELECT);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glFlush();
    return glRenderMode(GL_RENDER);
}

int CMolScene::hitTest(int x, int y) {
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
