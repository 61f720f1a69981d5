#pragma once

#include "model/Point3D.h"
#include "model/ZMatrixProblem.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The molecule of a Gaussian input file, read section by section as Gaussian
// reads it: Link 0 lines, a route section of one or more lines, a title
// section, the charge and multiplicity line, the molecule section
// (Cartesian lines, Z-matrix lines or both) and, for a Z-matrix, the
// variables after it. Of several jobs (--Link1--) the first whose molecule
// molecule section holds atoms is read.
class GaussianInputReader {
public:
    struct Atom {
        int element = 0;
        std::string label; // number and symbol, as the other readers make them
        Point3D position;
    };

    struct Result {
        bool chargeLineFound = false;  // a job came as far as its molecule section
        bool zMatrix = false;          // some atom is placed by internal coordinates
        std::vector<Atom> atoms;       // empty when problem is set
        std::size_t firstAtomLine = 0; // index of the line after the charge line
        int skippedLines = 0;          // lines of the molecule section that gave no atom
        ZMatrixProblem problem;
    };

    // Whether a line may stand before a route line that comes after the
    // ninth line: a Link 0 line (%...), a comment (!...) or a blank line.
    static bool MayPrecedeLateRoute(std::string_view line);
    // Whether the line starts, after blanks, with '#'.
    static bool IsRouteLine(std::string_view line);
    // The index of the route line: the first line starting with '#' among
    // the first nine, or a later one with only lines that may precede a
    // late route before it; lines.size() when there is none.
    static std::size_t FindRoute(const std::vector<std::string_view>& lines);

    // Reads the job whose route section starts at lines[route], then the
    // later jobs until one holds atoms.
    static Result Read(const std::vector<std::string_view>& lines, std::size_t route);
};
