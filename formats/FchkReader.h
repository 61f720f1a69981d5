#pragma once

#include "model/CMolData.h"

#include <memory>

class StdioFile;

// Reads a Gaussian formatted checkpoint file: the atoms (the steps of an
// optimisation when the file holds them, else the current geometry), the
// charges it lists, and as the model's wavefunction the basis, the alpha
// and beta orbitals and the total and spin density matrices. A file without
// atoms gives no molecule and formatProblem says why; a file whose basis or
// orbitals are damaged gives its molecule without them and
// wavefunctionProblem says why. Arrays are read as far as the file holds
// them, never allocated by the length they announce.
std::unique_ptr<CMolData> ReadFchk(StdioFile* in);
