#pragma once

#include "model/ResidueVisibility.h"

#include <string>

// What a writer writes of a model: a geometry, and which of its atoms by
// residue. A geometry index alone stands for all its atoms, as the file
// that was read holds them; a document that hides residues gives its
// ResidueVisibility, which must outlive the writing.
struct WrittenGeometry {
    // All atoms of geometry frame (a conversion, so that a writer can be
    // called with the index alone).
    WrittenGeometry(int g) : frame(g) {} // NOLINT(google-explicit-constructor)
    WrittenGeometry(int g, const ResidueVisibility& residues) : frame(g), shown(&residues) {}

    int frame = 0;
    // Null: every atom.
    const ResidueVisibility* shown = nullptr;
    // The keyword line of a job input whose program takes one (ORCA's "!"
    // line); empty: the writer's own.
    std::string jobKeywords;
};
