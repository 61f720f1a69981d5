#pragma once

#include <string>
#include <string_view>
#include <vector>

// One row of a geometry table.
struct OrientationRow {
    int atomicNumber = 0;
    double x = 0.0, y = 0.0, z = 0.0;
};

// Writes text laid out as the program's outputs lay it out: banner, geometry
// tables, normal-mode tables and the text between them.
class GaussianOutputText {
public:
    static constexpr const char* kBanner94 =
        " This is part of the Gaussian 94(TM) system of programs. It is";
    static constexpr const char* kBanner98 =
        " This is part of the Gaussian(R) 98 program.  It is based on";
    static constexpr const char* kBanner03 =
        " This is the Gaussian(R) 03 program.  It is based on the";
    static constexpr const char* kBanner09 =
        " This is part of the Gaussian(R) 09 program.  It is based on";
    static constexpr const char* kBanner16 =
        " This is part of the Gaussian(R) 16 program.  It is based on";

    // Starts with the header lines and the banner line (none when empty).
    explicit GaussianOutputText(std::string_view banner, std::string_view lineEnd = "\n");

    GaussianOutputText& Line(std::string_view text);
    // A geometry table headed "<kind> orientation:" ("Input", "Standard",
    // "Z-Matrix"); atomic type column (six fields a row) unless fiveFields.
    GaussianOutputText& Orientation(std::string_view kind, const std::vector<OrientationRow>& rows,
                                    bool fiveFields = false);
    // A normal-mode block of three modes whose first mode holds first; the
    // header has two blanks after "Atom" when twoBlanks (09 and later).
    GaussianOutputText& Modes(const std::vector<OrientationRow>& first, bool twoBlanks);

    // A Gaussian 16 optimisation of water: steps tables of the given kind,
    // the oxygen moving oxygenStep Å along z each step, the hydrogens still.
    static std::string WaterOptimisation(int steps, double oxygenStep,
                                         std::string_view kind = "Standard");
    // A Gaussian 16 optimisation as the program prints one, step by step:
    // input and standard orientation, rotational constants, SCF cycles and
    // the SCF energy, orbital energies, Mulliken charges (also summed into
    // heavy atoms), the dipole, the forces and the convergence table, for a
    // molecule of atoms atoms moved a little each step; about 35 kB a step
    // for 50 atoms, and readable by other programs' readers.
    static std::string Optimisation(int atoms, int steps, unsigned seed = 3);
    // Lines of SCF and population text such as an output holds between
    // geometries; varied, with numbers and dashes, but no marker.
    GaussianOutputText& Filler(int lineCount, unsigned seed = 1);

    const std::string& Text() const { return text_; }

private:
    std::string text_;
    std::string lineEnd_;
};
