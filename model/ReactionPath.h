#pragma once

#include "model/ScanCoordinate.h"

#include <limits>
#include <string>
#include <vector>

// The points of a potential-energy scan or of an intrinsic reaction
// coordinate, in reaction order: a scan's points by their number, an IRC's
// reverse half from its far end, the transition state, then the forward
// half. A point names the model's geometry that holds it; the steps an
// optimisation took to reach it stay geometries of the model too, apart
// from the path.
struct ReactionPath {
    static constexpr double kNotPrinted = std::numeric_limits<double>::quiet_NaN();
    static constexpr double kKjPerHartree = 2625.4996394799;
    static constexpr double kKcalPerHartree = 627.509474;

    enum class Kind { kNone, kScan, kIrc };
    // The energy units a profile is drawn in, relative to the lowest point.
    enum class Unit { kHartree, kKjPerMol, kKcalPerMol };

    struct Point {
        // The model's geometry of the point; -1 when the file prints none
        // (an IRC's transition state read from a checkpoint file).
        int geometry = -1;
        // A scan's point number from 1; an IRC's point number on its path,
        // 0 for the transition state.
        int number = 0;
        // An IRC: the file's path number, and the direction: +1 forward, −1
        // reverse, 0 the transition state.
        int path = 0;
        int direction = 0;
        // Which file of a joined path the point comes from, from 0.
        int file = 0;
        // The scan coordinates' values in the point's geometry.
        std::vector<double> values;
        // Where the point stands along the profile's axis: the first scan
        // coordinate's value, or the reaction coordinate an IRC prints
        // (negative on the reverse half), in its own units.
        double coordinate = kNotPrinted;
        // Hartree: the step's highest-level energy (MP2 above SCF, for
        // example); NaN when none was printed.
        double energy = kNotPrinted;
        // Whether the optimisation of a scan point converged, or the IRC
        // point was reached; false for the last point of a job that ended
        // or stopped while it was being computed.
        bool converged = true;
    };

    Kind kind = Kind::kNone;
    // The coordinates a scan steps (two for a 2-D scan); none for an IRC.
    std::vector<ScanCoordinate> coordinates;
    std::vector<Point> points;
    // The points the job set out to compute (a scan's "out of" count); 0
    // when it does not say.
    int plannedPoints = 0;

    bool Empty() const { return points.empty(); }
    // The point of the lowest energy, or -1 when no point has one.
    int Lowest() const;
    // The point that shows geometry g, or -1.
    int PointOfGeometry(int g) const;
    // The energy of point p relative to the lowest, in unit.
    double Relative(int p, Unit unit) const;
    static double InUnit(double hartree, Unit unit);
    static const char* UnitName(Unit unit);
    static const char* KindName(Kind kind);
    // The unit of the profile's axis: the first scan coordinate's, or the
    // mass-weighted path length an IRC prints.
    std::string AxisUnit() const;
};
