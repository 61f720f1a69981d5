#pragma once

#include "formats/FileKind.h"
#include "model/ZMatrixProblem.h"

#include <string>

class CMolData;

// Why a model that was read holds no molecule to show.
enum class NoMoleculeReason {
    kNone,                  // a molecule: at least one geometry of at least one atom
    kNoGeometry,            // no geometry table, no input geometry
    kNoReadableAtoms,       // atom rows or records, but none holds usable coordinates
    kNoAtoms,               // geometries without atoms
    kUnresolvedZMatrix,     // a Gaussian input whose Z-matrix gives no coordinates
    kUnreadableFormat,      // a file its format's parser refused (formatProblem says why)
    kFractionalCoordinates, // positions given as fractions of a cell only (not read)
};

NoMoleculeReason NoMoleculeReasonOf(const CMolData& model);

// One English sentence for a reason, for the command line; kind is the
// reader's (a file its parser refused is named as not of that kind).
std::string DescribeNoMoleculeReason(NoMoleculeReason reason, FileKind kind);

// What the Z-matrix problem is and the line it is on, in English.
std::string DescribeZMatrixProblem(const ZMatrixProblem& problem);
