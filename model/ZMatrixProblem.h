#pragma once

#include <string>

// Why the Z-matrix of a Gaussian input gave no coordinates, and where.
struct ZMatrixProblem {
    enum class Kind {
        kNone,
        kUnreadableLine,    // not an atom line, or an atom line missing its angle or dihedral
        kUndefinedVariable, // a value names a variable that no section defines
        kLaterAtom,         // a reference to the atom itself, a later one or none at all
        kUndefinedPosition, // reference atoms on a line (or on top of each other), angles that
                            // do not fit together, or a distance that is not positive
    };
    Kind kind = Kind::kNone;
    int line = 0;     // 1-based line of the file
    std::string name; // the variable or the reference, as written
};
