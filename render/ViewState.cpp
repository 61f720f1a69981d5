#include "render/ViewState.h"

#include <algorithm>

// A member added to ViewState changes its size: compare it below, then
// change the size here.
static_assert(sizeof(void*) != 8 || sizeof(ViewState) == 520,
              "ViewState has a member operator== does not compare");

bool ViewState::operator==(const ViewState& o) const {
    return displayFlags == o.displayFlags && colourMode == o.colourMode &&
           atomValues == o.atomValues && cartoonHelixCylinders == o.cartoonHelixCylinders &&
           cartoonLigands == o.cartoonLigands && cartoonWaters == o.cartoonWaters &&
           representations == o.representations && namedSelections == o.namedSelections &&
           overlayModels == o.overlayModels && showHydrogens == o.showHydrogens &&
           dragMode == o.dragMode && measurementSelection == o.measurementSelection &&
           labelledAtoms == o.labelledAtoms && measurements == o.measurements &&
           labelsInElementColour == o.labelsInElementColour &&
           std::equal(labelColour, labelColour + 3, o.labelColour) &&
           labelOutlines == o.labelOutlines && printScale == o.printScale &&
           lineScale == o.lineScale &&
           std::equal(backgroundColour, backgroundColour + 3, o.backgroundColour) &&
           camera == o.camera && frame == o.frame && lastPickedAtom == o.lastPickedAtom &&
           mode == o.mode && modeFrame == o.modeFrame && arrowScale == o.arrowScale &&
           vibrationOffset == o.vibrationOffset;
}
