#pragma once

// The one light and the material every picture of a molecule is lit by,
// whichever back end draws it: the shaders read them back from OpenGL's
// state, the fixed-function drawing uses them as they are.
struct SceneLighting {
    static constexpr float kMaterialAmbientDiffuse[4] = {1.0F, 0.0F, 0.0F, 1.0F};
    static constexpr float kMaterialSpecular[4] = {1.0F, 1.0F, 1.0F, 1.0F};
    static constexpr float kAmbient[4] = {0.2F, 0.2F, 0.2F, 1.0F};
    static constexpr float kDiffuse[4] = {0.7F, 0.7F, 0.7F, 1.0F};
    static constexpr float kSpecular[4] = {1.0F, 1.0F, 1.0F, 1.0F};
    // A directional light from the upper right, fixed to the eye.
    static constexpr float kPosition[4] = {1.0F, 0.5F, 1.0F, 0.0F};
    // The ambient light of a measured atom: it shows in full.
    static constexpr float kBright[4] = {1.0F, 1.0F, 1.0F, 1.0F};

    // Sets the light and the material in the current context, with the
    // model-view matrix the identity (the light stays where the eye is);
    // lighting is switched on when lit, off otherwise.
    static void Apply(bool lit);
};
