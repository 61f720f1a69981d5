#include "formats/NoMoleculeReason.h"

#include "model/CMolData.h"

NoMoleculeReason NoMoleculeReasonOf(const CMolData& model) {
    if (model.frameCount <= 0)
        return model.skippedLines > 0 ? NoMoleculeReason::kNoReadableAtoms
                                      : NoMoleculeReason::kNoGeometry;
    if (model.atomCount <= 0)
        return NoMoleculeReason::kNoAtoms;
    if (model.IsZMatrixInput())
        return NoMoleculeReason::kZMatrixInput;
    return NoMoleculeReason::kNone;
}

const char* DescribeNoMoleculeReason(NoMoleculeReason reason) {
    switch (reason) {
    case NoMoleculeReason::kNone:
        return "the file holds a molecule";
    case NoMoleculeReason::kNoGeometry:
        return "the file holds no geometry";
    case NoMoleculeReason::kNoReadableAtoms:
        return "no atom row of the file holds usable coordinates";
    case NoMoleculeReason::kNoAtoms:
        return "the file holds no atoms";
    case NoMoleculeReason::kZMatrixInput:
        return "the geometry is a Z-matrix; only Cartesian input geometries can be read";
    }
    return "";
}
