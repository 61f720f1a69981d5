#pragma once

#include "model/Point3D.h"
#include "model/ZMatrixProblem.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// The atom positions of a Gaussian molecule section, each given by
// Cartesian coordinates or by internal coordinates relative to earlier atoms,
// and their conversion to Cartesian coordinates the way Gaussian places them:
// the first atom at the origin, the second on +z from the atom it is bonded
// to, the third in the xz plane on the +x side.
class ZMatrix {
public:
    // A number, or a variable's value (negated when written "-name").
    struct Value {
        double number = 0.0;
        std::string name; // empty for a number
        bool negated = false;
    };

    struct Line {
        enum class Kind {
            kOrigin,    // no coordinates: the first atom
            kCartesian, // values: x, y, z
            kInternal,  // refs[0..refCount): bonded atom, angle atom, dihedral atom
        };
        Kind kind = Kind::kOrigin;
        int fileLine = 0;           // 1-based, for the problem report
        int refs[3] = {-1, -1, -1}; // 0-based atom indices
        std::string refText[3];     // the references as written
        int refCount = 0;           // internal: 1, 2 or 3
        Value values[3];            // distance, angle, dihedral (or second angle)
        int form = 0;               // 0: dihedral; 1 or -1: two bond angles, on either side
    };

    void Add(Line line) { lines_.push_back(std::move(line)); }
    void Reserve(std::size_t lines) { lines_.reserve(lines); }
    bool HasInternalLines() const;
    bool UsesVariables() const;
    std::size_t Size() const { return lines_.size(); }

    // Places every atom; false with problem set at the first line that
    // cannot be placed. Variable names are matched exactly, then in any case.
    // With skipped given and no internal lines (nothing refers to another
    // atom), a line naming an undefined variable is listed there (ascending)
    // and placed at the origin instead of failing the whole.
    bool ToCartesian(const std::map<std::string, double>& variables, std::vector<Point3D>& out,
                     ZMatrixProblem& problem, std::vector<std::size_t>* skipped = nullptr) const;

private:
    std::vector<Line> lines_;
};
