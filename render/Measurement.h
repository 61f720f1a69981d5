#pragma once

#include <algorithm>
#include <string>
#include <vector>

class CMolData;

// A measurement kept on the molecule until it is cleared: two atoms give
// their distance, three the angle at the second, four the dihedral about the
// middle two. Its value is always taken from the geometry shown, so it
// follows an animation.
struct Measurement {
    std::vector<int> atoms;

    // The same atoms in the same or the reverse order measure the same.
    bool operator==(const Measurement& o) const {
        return atoms == o.atoms ||
               std::equal(atoms.rbegin(), atoms.rend(), o.atoms.begin(), o.atoms.end());
    }
    // In ångström or degrees in geometry g of data; NaN when an atom is
    // missing there or the dihedral has no value (three atoms in a line).
    double Value(const CMolData& data, int g) const;
    // The value with its unit, as the picture and the list show it:
    // "0.958 Å", "104.5°" (UTF-8); empty without a value.
    std::string Text(const CMolData& data, int g) const;
};
