#pragma once

#include "model/Point3D.h"

#include <limits>
#include <string>
#include <vector>

// One normal mode of a frequency job, as the output prints it. A value the
// output does not print for the mode is NaN.
struct NormalMode {
    static constexpr double kNotPrinted = std::numeric_limits<double>::quiet_NaN();

    int number = 0;
    std::string symmetry;
    // cm⁻¹; imaginary frequencies are printed, and kept, negative.
    double frequency = 0.0;
    double reducedMass = kNotPrinted;   // amu
    double forceConstant = kNotPrinted; // mDyne/Å
    double irIntensity = kNotPrinted;   // km/mol
    double ramanActivity = kNotPrinted; // Å⁴/amu
    // One displacement per atom of the geometry, in atom order, as printed
    // (normalised Cartesian displacements).
    std::vector<Point3D> displacements;
};
