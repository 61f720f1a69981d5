#pragma once

#include <list>

// What the scene reads from the molecule view that owns it: display style,
// colouring, the picked and labelled atoms, the camera. The view holds one;
// a test can fill one without any window.
struct ViewState {
    // Display flags: bit values of the drawing styles and the arrows.
    enum Flags { kWireFrame = 1, kBallAndStick = 2, kVibration = 8, kRibbon = 16 };
    // Drag modes.
    enum Drag { kNoDrag = 0, kRotate = 1, kZoom = 2, kTranslate = 3 };

    int displayFlags = kWireFrame;
    int colourMode = 0; // 0 by element, 1 by residue
    int showHydrogens = 1;
    int dragMode = kNoDrag;
    // Atoms picked for a measurement, in pick order; drawn highlighted.
    std::list<int> measurementSelection;
    // Atoms whose labels are drawn.
    std::list<int> labelledAtoms;
    bool labelsInElementColour = true;
    float labelColour[3] = {1.0F, 1.0F, 1.0F};
    // 1.0 on screen, larger for printing: the label height grows with it.
    double printScale = 1.0;
    float backgroundColour[3] = {0.0F, 0.0F, 0.0F};

    // The camera.
    double fieldOfView = 30.0;
    double nearPlane = 1.0;
    double farPlane = 100.0;
    double eyeDistance = 7.0;
    double zoomMin = 0.0;
    double zoomMax = 30.0;
};
