#pragma once

#include "model/SelectionEvaluator.h"
#include "render/Camera.h"
#include "render/Measurement.h"
#include "render/Representation.h"

#include <list>
#include <vector>

// What the scene reads from the molecule view that owns it: display style,
// colouring, the picked and labelled atoms, the camera and the geometry shown. The view holds one;
// a test can fill one without any window.
struct ViewState {
    // Display flags: bit values of the drawing styles and the arrows.
    enum Flags { kWireFrame = 1, kBallAndStick = 2, kVibration = 8, kRibbon = 16, kCartoon = 32 };
    // Drag modes.
    enum Drag { kNoDrag = 0, kRotate = 1, kZoom = 2, kTranslate = 3 };

    int displayFlags = kWireFrame;
    int colourMode = 0; // a ColourScheme: by element, residue, chain, ...
    // A value per atom (charges, spin densities, NMR shifts): the atoms
    // coloured on a blue–white–red ramp from −range to +range when colour,
    // labelled with their values (decimals after the point) when label.
    // An atom without a finite value keeps its colour and gets no label.
    struct AtomValues {
        std::vector<double> values;
        double range = 1.0;
        int decimals = 3;
        bool colour = false;
        bool label = false;
        bool operator==(const AtomValues& o) const {
            return values == o.values && range == o.range && decimals == o.decimals &&
                   colour == o.colour && label == o.label;
        }
    } atomValues;
    // With the cartoon: helices as cylinders instead of ribbons; the
    // residues outside the chains in ball and stick; waters as points.
    bool cartoonHelixCylinders = false;
    bool cartoonLigands = true;
    bool cartoonWaters = true;
    // The rows drawn, in order (see Representation); none: the whole model
    // as displayFlags and colourMode say. A first row that follows the
    // menus stands for that picture among the others.
    std::vector<Representation> representations;
    // The selections named by the user, "sele" the atoms Ctrl-clicked.
    SelectionEvaluator::NamedSelections namedSelections;
    // The other geometries of the model drawn thinly with the one shown:
    // their chains' CA traces, or their bonds when they have no chains.
    bool overlayModels = false;
    int showHydrogens = 1;
    int dragMode = kNoDrag;
    // Atoms picked for a measurement, in pick order; drawn highlighted.
    std::list<int> measurementSelection;
    // Atoms whose labels are drawn.
    std::list<int> labelledAtoms;
    // Distances, angles and dihedrals drawn with their values, in the order
    // they were measured.
    std::vector<Measurement> measurements;
    bool labelsInElementColour = true;
    float labelColour[3] = {1.0F, 1.0F, 1.0F};
    // Labels drawn over a thin outline of a contrasting grey, so that they
    // read on any background; plain text when false.
    bool labelOutlines = false;
    // 1.0 on screen, larger for printing: the label height grows with it.
    double printScale = 1.0;
    // 1.0 on screen, N for a picture N times the window's size: point sizes
    // and line widths grow with it, so the picture looks like the window.
    double lineScale = 1.0;
    float backgroundColour[3] = {0.0F, 0.0F, 0.0F};

    Camera camera;
    // The geometry drawn: the one the document has chosen, or the one an
    // animation has reached (MolDocState::ShownFrame, copied on each update).
    int frame = 0;
    // The atom picked last, -1 for none.
    int lastPickedAtom = -1;

    // The normal mode whose arrows are drawn: an index into the drawn
    // geometry's modes, or -1 for the displacements every atom holds (the
    // first mode of the first frequency table).
    int mode = -1;
    // The geometry whose modes mode indexes; other geometries show their
    // atoms' own displacements.
    int modeFrame = -1;
    // Arrow length per unit of displacement; 1 draws the displacement as
    // the file prints it.
    double arrowScale = 1.0;
    // How far along the mode the atoms are drawn, x = x0 + vibrationOffset·d,
    // while the vibration is animated; 0 at rest. Bonds stay those of the
    // resting geometry.
    double vibrationOffset = 0.0;

    // Every member equal: the same picture of the same model, and the same
    // picks, drag and vibration under way.
    bool operator==(const ViewState& o) const;
    bool operator!=(const ViewState& o) const { return !(*this == o); }
};
