#pragma once

#include "model/CMolData.h"

#include <memory>

class StdioFile;

// Reads a Gaussian cube file: two comment lines; the atom count and the
// grid's origin (a negative count: a line of orbital numbers follows the
// atoms, and each point holds a value per orbital); per axis the point count
// and the step (bohr, or ångström when the count is negative); the atoms
// (atomic number, charge, position); then the values, k fastest. The atoms
// become the model's one geometry, each value set one of its volumes. A
// file that does not hold what its header announces gives no molecule and
// formatProblem says why; a grid of more than kMaxGridPoints is refused
// before anything is allocated for it.
std::unique_ptr<CMolData> ReadCube(StdioFile* in);
