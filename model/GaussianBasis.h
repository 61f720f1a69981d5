#pragma once

#include "model/Point3D.h"
#include "model/VolumeGrid.h"

#include <array>
#include <utility>
#include <vector>

// One contracted shell of Gaussian functions about an atom. Coefficients
// are those of normalised primitives, as quantum-chemistry programs print
// them.
struct BasisShell {
    int atom = 0; // 0-based
    int l = 0;    // angular momentum
    // Solid harmonics (2l + 1 functions) rather than Cartesian monomials.
    bool pure = false;
    // An sp shell: one s function, then p x, y, z on the same exponents with
    // pCoefficients.
    bool sp = false;
    Point3D centre; // bohr
    std::vector<double> exponents;
    std::vector<double> coefficients;
    std::vector<double> pCoefficients;

    int FunctionCount() const;
};

// A basis of contracted Gaussian functions, evaluated at points in space.
// Functions come shell by shell in the order of Gaussian's formatted
// checkpoint files: pure functions m = 0, +1, -1, +2, -2, ...; Cartesian
// d as xx, yy, zz, xy, xz, yz; f as xxx, yyy, zzz, xyy, xxy, xxz, xzz, yzz,
// yyz, xyz; g and higher with the powers of x rising slowest and of y next
// (zzzz, yzzz, yyzz, ..., xxxx). Every function is normalised on its own.
class GaussianBasis {
public:
    GaussianBasis() = default;
    explicit GaussianBasis(std::vector<BasisShell> shells);

    const std::vector<BasisShell>& Shells() const { return shells_; }
    int FunctionCount() const { return functionCount_; }
    int FirstFunction(int shell) const { return prepared_[static_cast<std::size_t>(shell)].first; }
    // The distance (bohr) beyond which every function of shell s is below
    // kNegligible and taken as zero.
    double Reach(int s) const { return prepared_[static_cast<std::size_t>(s)].reach; }

    // Values of shell s's functions at the points from + k step, k = 0 ...
    // count - 1 (bohr), written to values[f * stride + k] for its function f
    // (0-based within the shell). Only points within the shell's reach are
    // written; the range of k written is returned as [first, last), empty
    // when none is.
    std::pair<int, int> EvaluateLine(int s, const Point3D& from, const Point3D& step, int count,
                                     double* values, int stride) const;
    // Values of every function at p (bohr).
    void Evaluate(const Point3D& p, double* values) const;

    // Every primitive's exp(-a (x - X)²) at the x positions of an
    // axis-aligned grid, and alike along y and z: exp(-a r²) at a point is
    // then the product of three, with no exponential left to take.
    struct AxisFactors {
        VolumeGrid grid;                     // its points and axes only
        std::vector<std::size_t> shellStart; // first primitive's factors, per shell
        std::vector<double> values;
    };
    // The factors of grid, or false when it is not axis-aligned or its
    // factors would take more than kMaxFactors numbers.
    bool PrepareAxisFactors(const VolumeGrid& grid, AxisFactors& factors) const;
    // As EvaluateLine along the line of points (i, j, k), k = 0 ... nz - 1,
    // of the grid factors were prepared for.
    std::pair<int, int> EvaluateGridLine(int s, const AxisFactors& factors, int i, int j,
                                         double* values, int stride) const;
    static constexpr std::size_t kMaxFactors = std::size_t{1} << 24;

    // The angular factors of a shell's functions at the offset (x, y, z)
    // from its centre, normalised as the functions are; pure functions of l
    // up to kMaxL.
    static void Angular(int l, bool pure, double x, double y, double z, double* out);
    // The powers of x, y and z of the Cartesian functions of l, in the
    // order above.
    static const std::vector<std::array<int, 3>>& CartesianPowersOf(int l);
    // (2n - 1)!!, 1 for n = 0.
    static double OddFactorialOf(int n);

    static constexpr int kMaxL = 9;
    static constexpr double kNegligible = 1e-10;

private:
    // Writes the functions of shell s at points first ... first + n - 1 of
    // the line d0 + k step (offsets from the centre) from the radial parts.
    void WriteFunctions(int s, const Point3D& d0, const Point3D& step, int first, int n,
                        const double* radial, const double* pRadial, double* values,
                        int stride) const;

    struct Prepared {
        int first = 0;
        double reach = 0.0;
        // Per primitive: the coefficient times the radial normalisation and
        // the contraction's renormalisation (s part, and p part of an sp
        // shell).
        std::vector<double> radial, pRadial;
        // Per primitive: its own reach.
        std::vector<double> primitiveReach;
    };
    std::vector<BasisShell> shells_;
    std::vector<Prepared> prepared_;
    int functionCount_ = 0;
};
