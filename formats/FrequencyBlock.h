#pragma once

#include "model/NormalMode.h"

#include <functional>
#include <string>
#include <vector>

// One block of a Gaussian frequency table: a line of mode numbers, a line of
// symmetry labels, the property lines ("Frequencies --", "Red. masses --",
// ... or, in the high-precision layout, "Frequencies ---", "Reduced masses
// ---", ...), then the displacements: one row per atom with x, y, z of each
// mode ("Atom  AN  X  Y  Z"), or one row per Cartesian coordinate with a
// value of each mode ("Coord Atom Element:").
class FrequencyBlock {
public:
    // Reads a block whose first line (the mode numbers) nextLine gives next,
    // for a geometry of atoms atoms. Every mode of the block whose number,
    // frequency and displacements of all atoms are printed as finite numbers
    // is appended to modes; the others (a table cut short, a value missing)
    // are left out. nextLine returns false at the end of the file.
    static void Read(const std::function<bool(std::string&)>& nextLine, int atoms,
                     std::vector<NormalMode>& modes);

    // The most modes a block may hold; a line of more numbers is no block.
    static constexpr int kMaxModes = 10;
};
