#pragma once

#include "model/Point3D.h"

#include <string>
#include <string_view>
#include <vector>

// An internal coordinate a scan steps, as Gaussian names it: its name in the
// parameter tables ("D1") and its definition over atom numbers from 1
// ("D(3,1,2,4)"). Its value is measured in each geometry, so that a point
// has one whether or not the output printed a summary.
struct ScanCoordinate {
    enum class Kind { kDistance, kAngle, kDihedral };

    std::string name;
    std::string definition;
    Kind kind = Kind::kDistance;
    std::vector<int> atoms; // 0-based

    // A definition "R(i,j)", "A(i,j,k)" or "D(i,j,k,l)"; false for any
    // other (a linear bend, a Cartesian coordinate), changing nothing.
    bool Define(std::string_view text);
    // The value among the positions of a geometry's atoms: Å for a
    // distance, degrees for an angle and a dihedral (−180 … 180, Gaussian's
    // sign); NaN when an atom is missing or the dihedral has no value.
    double ValueAmong(const std::vector<Point3D>& positions) const;
    // "angstrom" or "degree" (plain ASCII, for the command line's JSON).
    const char* Unit() const;
};
