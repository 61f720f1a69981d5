#include "ReferenceScene.h"

#include "model/ElementTable.h"
#include "render/MolDocState.h"
#include "render/ViewState.h"

#include <GL/glu.h>

#include <cmath>

ReferenceScene::ReferenceScene(const ViewState* viewState, const MolDocState* documentState)
    : CMolScene(viewState, documentState), quadric_(gluNewQuadric()) {
    gluQuadricDrawStyle(quadric_, GLU_FILL);
    fixedFunction = true;
}

ReferenceScene::~ReferenceScene() {
    gluDeleteQuadric(quadric_);
}

void ReferenceScene::drawWireFrame(GLenum mode) {
    CMolData& data = *document->data;
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
        gluSphere(quadric_, radius * scale, 2 * slices, 2 * slices);
        if ((view->displayFlags & ViewState::kVibration) != 0)
            drawDisplacementArrow(a);
        if (selected)
            glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
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
    CMolData& data = *document->data;
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

void ReferenceScene::drawRibbon(GLenum) {
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
