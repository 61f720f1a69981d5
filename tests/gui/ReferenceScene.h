#pragma once

#include "render/CMolScene.h"

struct GLUquadric;

// The scene drawing atoms, bonds and arrows the plain way: a GLU sphere,
// cylinder or cone per atom and bond through immediate mode, a glBegin per
// point and line. The fast drawing is checked against the pictures it makes.
class ReferenceScene : public CMolScene {
public:
    ReferenceScene(const ViewState* view, const MolDocState* document);
    ~ReferenceScene() override;

    void drawWireFrame(GLenum mode) override;
    void drawBallAndStick(GLenum mode) override;
    void drawDisplacementArrow(int a) override;
    // The curve through OpenGL's evaluator, 31 points a piece, drawn as an
    // unsmoothed wide line.
    void drawRibbon(GLenum mode) override;

private:
    GLUquadric* quadric_;
};
