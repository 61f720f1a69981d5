#pragma once

#include "model/CMolData.h"
#include "model/ResidueVisibility.h"
#include "render/DocumentGrid.h"
#include "render/SurfaceState.h"
#include "render/ViewState.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// What the molecule view and the scene read from their document: the model
// as the file gave it, what the document shows of it (the geometry chosen,
// the residues shown) and the display settings. The molecule document holds
// it; a test can fill one without any document or window.
struct MolDocState {
    // The model, owned; null while nothing is loaded.
    std::unique_ptr<const CMolData> data;
    // Set when a file has been read; a view clears it once it has fitted its
    // camera to the new model.
    int loaded = 0;
    // How many times a file has been read into the document. Every view
    // refits when this differs from the count it fitted last, so each window
    // of the document (a new one too) fits the model it shows.
    int loadCount = 0;
    int warningLevel = 1;
    // Slices of spheres, cylinders and arrow cones.
    int resolution = 10;
    int antialiasing = 1;
    // Wire frame without atom marks.
    int hideAtoms = 0;
    // Sizes as the settings keep them, and the scales derived from them.
    int wireAtomSize = 10;
    int wireBondWidth = 10;
    int ballAtomSize = 10;
    int ballBondWidth = 10;
    double wireAtomScale = 0;
    double wireBondScale = 0;
    double ballAtomScale = 0;
    double ballBondScale = 0;
    int initStart = 0;
    int animationStartNumber = 0;
    // The geometry the document has chosen: the one saved, measured and
    // shown when no animation runs (at first the model's firstShownFrame).
    int chosenFrame = 0;
    // The residues shown (the residue list of the display settings).
    ResidueVisibility residues;
    // Nonzero while an animation steps through the geometries; it is at
    // animationFrame.
    int animating = 0;
    int animationFrame = 0;
    int saveAnimationImages = 0;
    std::string animationTitle;
    // The secondary structure drawn is the one the file's records give,
    // where it has records, instead of the one assigned from the backbone.
    bool secondaryFromFile = false;
    // The isosurface every view of the document draws with the molecule.
    SurfaceState surface;
    // The grids the surface may be drawn from, each with where it came
    // from: the file's own first, then those computed from its orbitals or
    // read beside it.
    std::vector<DocumentGrid> grids;
    // What a session opened shows of the model read with it (load
    // sessionLoad): a view that fits that model takes it on.
    std::shared_ptr<const ViewState> sessionView;
    int sessionLoad = -1;

    // The geometry every view of the document draws: the animation's while
    // one runs, else the one the document has chosen; 0 without a model.
    int ShownFrame() const {
        if (data == nullptr)
            return 0;
        return animating != 0 ? animationFrame : chosenFrame;
    }
    // The index in grids of grid, -1 when it is none of them.
    int GridIndex(const std::shared_ptr<const VolumeGrid>& grid) const {
        for (std::size_t k = 0; k < grids.size(); ++k) {
            if (grid != nullptr && grids[k].grid == grid)
                return static_cast<int>(k);
        }
        return -1;
    }
    // Chooses geometry g (kept within the model's geometries).
    void ChooseFrame(int g) {
        chosenFrame = data == nullptr ? 0 : std::clamp(g, 0, std::max(data->frameCount - 1, 0));
    }

    // Recomputes the four scales from the four sizes.
    void ComputeDerivedSizes() {
        const auto square = [](int size) { return (size * 0.1) * (size * 0.1); };
        wireAtomScale = wireAtomSize * 0.4;
        wireBondScale = square(wireBondWidth) * 1.5;
        ballAtomScale = square(ballAtomSize) * 0.3;
        ballBondScale = square(ballBondWidth) * 0.08;
    }
};
