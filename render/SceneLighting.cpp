#include "render/SceneLighting.h"

#include <GL/gl.h>

void SceneLighting::Apply(bool lit) {
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, kMaterialAmbientDiffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, kMaterialSpecular);
    glMaterialf(GL_FRONT, GL_SHININESS, 100.0F);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, kSpecular);
    glLightfv(GL_LIGHT0, GL_POSITION, kPosition);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    if (lit) {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_COLOR_MATERIAL);
    } else {
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
        glDisable(GL_COLOR_MATERIAL);
    }
}
