#include "model/GaussianBasis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

constexpr double kPi = 3.14159265358979323846;

// (2n - 1)!!, 1 for n = 0.
double OddFactorial(int n) {
    double product = 1.0;
    for (int k = 2 * n - 1; k > 1; k -= 2)
        product *= k;
    return product;
}

using Powers = std::array<int, 3>;

// The powers of x, y and z of the Cartesian functions of l, in order.
const std::vector<Powers>& CartesianPowers(int l) {
    static const std::array<std::vector<Powers>, GaussianBasis::kMaxL + 1> table = [] {
        std::array<std::vector<Powers>, GaussianBasis::kMaxL + 1> all;
        all[0] = {{0, 0, 0}};
        all[1] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
        all[2] = {{2, 0, 0}, {0, 2, 0}, {0, 0, 2}, {1, 1, 0}, {1, 0, 1}, {0, 1, 1}};
        all[3] = {{3, 0, 0}, {0, 3, 0}, {0, 0, 3}, {1, 2, 0}, {2, 1, 0},
                  {2, 0, 1}, {1, 0, 2}, {0, 1, 2}, {0, 2, 1}, {1, 1, 1}};
        for (int n = 4; n <= GaussianBasis::kMaxL; ++n) {
            for (int a = 0; a <= n; ++a) {
                for (int b = 0; b <= n - a; ++b)
                    all[static_cast<std::size_t>(n)].push_back({a, b, n - a - b});
            }
        }
        return all;
    }();
    return table[static_cast<std::size_t>(l)];
}

// 1 / sqrt((2a-1)!! (2b-1)!! (2c-1)!!) for each Cartesian function of l.
const std::vector<double>& CartesianScales(int l) {
    static const std::array<std::vector<double>, GaussianBasis::kMaxL + 1> table = [] {
        std::array<std::vector<double>, GaussianBasis::kMaxL + 1> all;
        for (int n = 0; n <= GaussianBasis::kMaxL; ++n) {
            for (const Powers& p : CartesianPowers(n))
                all[static_cast<std::size_t>(n)].push_back(
                    1.0 / std::sqrt(OddFactorial(p[0]) * OddFactorial(p[1]) * OddFactorial(p[2])));
        }
        return all;
    }();
    return table[static_cast<std::size_t>(l)];
}

// The radial normalisation of a primitive of exponent alpha whose angular
// factor is normalised as Angular's: (2a/pi)^(3/4) (4a)^(l/2).
double RadialNorm(double alpha, int l) {
    return std::pow(2.0 * alpha / kPi, 0.75) * std::pow(4.0 * alpha, 0.5 * l);
}

// Per primitive: coefficient times radial norm, scaled so the contraction
// is normalised (the overlap of two normalised primitives is
// (2 sqrt(ab) / (a + b))^(l + 3/2)).
std::vector<double> NormalisedRadial(const std::vector<double>& exponents,
                                     const std::vector<double>& coefficients, int l) {
    const std::size_t n = std::min(exponents.size(), coefficients.size());
    double norm = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const double a = exponents[i], b = exponents[j];
            norm += coefficients[i] * coefficients[j] *
                    std::pow(2.0 * std::sqrt(a * b) / (a + b), l + 1.5);
        }
    }
    const double scale = norm > 0.0 ? 1.0 / std::sqrt(norm) : 0.0;
    std::vector<double> radial(n);
    for (std::size_t i = 0; i < n; ++i)
        radial[i] = coefficients[i] * RadialNorm(exponents[i], l) * scale;
    return radial;
}

// The outer radius at which |c| r^l exp(-a r^2) falls to kNegligible.
double PrimitiveReach(double c, double alpha, int l) {
    c = std::fabs(c);
    if (!(c > 0.0) || !(alpha > 0.0) || !std::isfinite(c) || !std::isfinite(alpha))
        return 0.0;
    const double logRatio = std::log(c / GaussianBasis::kNegligible);
    double r = std::sqrt(std::max(logRatio, 1.0) / alpha) + std::sqrt(l / alpha);
    for (int iteration = 0; iteration < 8; ++iteration) {
        const double r2 = (logRatio + l * std::log(std::max(r, 1e-6))) / alpha;
        if (r2 <= 0.0)
            return r;
        r = std::sqrt(r2);
    }
    return r;
}

// The points k = 0 ... count - 1 of the line d0 + k step within reach of
// the centre, as [first, last): |d0 + k step|^2 = d2 + 2 k b + k^2 a.
std::pair<int, int> Window(double a, double b, double d2, double reach, int count) {
    const double c = d2 - reach * reach;
    if (a == 0.0)
        return c > 0.0 ? std::pair<int, int>{0, 0} : std::pair<int, int>{0, count};
    const double disc = b * b - a * c;
    if (disc < 0.0)
        return {0, 0};
    const double root = std::sqrt(disc);
    const double first = std::max(0.0, std::ceil((-b - root) / a));
    const double last = std::min<double>(count, std::floor((-b + root) / a) + 1.0);
    if (first >= last)
        return {0, 0};
    return {static_cast<int>(first), static_cast<int>(last)};
}

// A primitive's points within its shell's: the shell's reach is the largest
// of its primitives', but rounding must never take a primitive outside the
// scratch the shell's window sized.
std::pair<int, int> Clamped(std::pair<int, int> window, int first, int last) {
    const int begin = std::max(window.first, first);
    const int end = std::min(window.second, last);
    return begin < end ? std::pair<int, int>{begin, end} : std::pair<int, int>{0, 0};
}

} // namespace

int BasisShell::FunctionCount() const {
    if (sp)
        return 4;
    return pure ? 2 * l + 1 : (l + 1) * (l + 2) / 2;
}

GaussianBasis::GaussianBasis(std::vector<BasisShell> shells) : shells_(std::move(shells)) {
    prepared_.reserve(shells_.size());
    for (const BasisShell& shell : shells_) {
        Prepared p;
        p.first = functionCount_;
        functionCount_ += shell.FunctionCount();
        p.radial = NormalisedRadial(shell.exponents, shell.coefficients, shell.sp ? 0 : shell.l);
        if (shell.sp)
            p.pRadial = NormalisedRadial(shell.exponents, shell.pCoefficients, 1);
        // A coefficient that is not finite (a damaged file's) contributes
        // nothing rather than spreading over every point.
        for (std::vector<double>* c : {&p.radial, &p.pRadial}) {
            for (double& value : *c) {
                if (!std::isfinite(value))
                    value = 0.0;
            }
        }
        for (std::size_t i = 0; i < p.radial.size(); ++i) {
            double reach = PrimitiveReach(p.radial[i], shell.exponents[i], shell.sp ? 0 : shell.l);
            if (shell.sp)
                reach = std::max(reach, PrimitiveReach(p.pRadial[i], shell.exponents[i], 1));
            p.primitiveReach.push_back(reach);
            p.reach = std::max(p.reach, reach);
        }
        prepared_.push_back(std::move(p));
    }
}

double GaussianBasis::OddFactorialOf(int n) {
    return OddFactorial(n);
}

const std::vector<std::array<int, 3>>& GaussianBasis::CartesianPowersOf(int l) {
    return CartesianPowers(l);
}

void GaussianBasis::Angular(int l, bool pure, double x, double y, double z, double* out) {
    if (!pure || l < 2) {
        const std::vector<Powers>& powers = CartesianPowers(l);
        const std::vector<double>& scales = CartesianScales(l);
        std::array<double, kMaxL + 1> px, py, pz;
        px[0] = py[0] = pz[0] = 1.0;
        for (int k = 1; k <= l; ++k) {
            px[k] = px[k - 1] * x;
            py[k] = py[k - 1] * y;
            pz[k] = pz[k - 1] * z;
        }
        for (std::size_t f = 0; f < powers.size(); ++f)
            out[f] = scales[f] * px[powers[f][0]] * py[powers[f][1]] * pz[powers[f][2]];
        return;
    }
    if (l == 2) {
        // The five d functions written out (the general recurrence below
        // gives the same), by far the most common pure shell.
        constexpr double kHalf = 0.5 / 1.7320508075688772; // 1 / (2 sqrt 3)
        out[0] = kHalf * (2.0 * z * z - x * x - y * y);
        out[1] = x * z;
        out[2] = y * z;
        out[3] = 0.5 * (x * x - y * y);
        out[4] = x * y;
        return;
    }
    // Real regular solid harmonics S(l, m) with Racah's normalisation, by
    // the recurrences in l (Helgaker, Jørgensen and Olsen, eq. 6.4.70-72);
    // s[j][m + j] holds S(j, m).
    // Every entry read below is written first.
    std::array<std::array<double, 2 * kMaxL + 1>, kMaxL + 1> s;
    const double r2 = x * x + y * y + z * z;
    s[0][0] = 1.0;
    for (int j = 0; j < l; ++j) {
        const double edge = std::sqrt((j == 0 ? 2.0 : 1.0) * (2 * j + 1) / (2.0 * j + 2.0));
        const double top = s[j][2 * j], bottom = s[j][0];
        s[j + 1][2 * j + 2] = edge * (x * top - (j == 0 ? 0.0 : y * bottom));
        s[j + 1][0] = edge * (y * top + (j == 0 ? 0.0 : x * bottom));
        for (int m = -j; m <= j; ++m) {
            const double lower = std::abs(m) <= j - 1 ? s[j - 1][m + j - 1] : 0.0;
            s[j + 1][m + j + 1] =
                ((2 * j + 1) * z * s[j][m + j] - std::sqrt(double(j + m) * (j - m)) * r2 * lower) /
                std::sqrt(double(j + m + 1) * (j - m + 1));
        }
    }
    const double scale = 1.0 / std::sqrt(OddFactorial(l));
    out[0] = scale * s[l][l];
    for (int m = 1; m <= l; ++m) {
        out[2 * m - 1] = scale * s[l][l + m];
        out[2 * m] = scale * s[l][l - m];
    }
}

std::pair<int, int> GaussianBasis::EvaluateLine(int s, const Point3D& from, const Point3D& step,
                                                int count, double* values, int stride) const {
    const BasisShell& shell = shells_[static_cast<std::size_t>(s)];
    const Prepared& prepared = prepared_[static_cast<std::size_t>(s)];
    const Point3D d0 = Minus(from, shell.centre);
    const double a = Dot(step, step), b = Dot(d0, step), d2 = Dot(d0, d0);
    const auto [first, last] = Window(a, b, d2, prepared.reach, count);
    if (first >= last)
        return {0, 0};
    const std::size_t n = static_cast<std::size_t>(last - first);
    // Scratch of each thread, kept between calls: a line is evaluated for
    // every shell near it, far too often to allocate each time.
    thread_local std::vector<double> radial, pRadial;
    radial.assign(n, 0.0);
    pRadial.assign(shell.sp ? n : 0, 0.0);
    for (std::size_t p = 0; p < prepared.radial.size(); ++p) {
        const double alpha = shell.exponents[p];
        const double cs = prepared.radial[p];
        const double cp = shell.sp ? prepared.pRadial[p] : 0.0;
        // Each primitive over the points in its own reach, where its value
        // lies between kNegligible and its peak: exp(-alpha r^2) by two
        // products a point, r^2 rising by 2b + (2k + 1)a from point k to
        // k + 1 (the factors stay within exp(±60) there). Steep primitives
        // take the exponential at each point.
        const auto [begin, end] =
            Clamped(Window(a, b, d2, prepared.primitiveReach[p], count), first, last);
        const bool recur = alpha * a < 30.0;
        const double r2 = d2 + begin * (2.0 * b + begin * a);
        double e = std::exp(-alpha * r2);
        double g = std::exp(-alpha * (2.0 * b + (2.0 * begin + 1.0) * a));
        const double gg = std::exp(-2.0 * alpha * a);
        for (int k = begin; k < end; ++k) {
            if (!recur)
                e = std::exp(-alpha * (d2 + k * (2.0 * b + k * a)));
            const std::size_t at = static_cast<std::size_t>(k - first);
            radial[at] += cs * e;
            if (shell.sp)
                pRadial[at] += cp * e;
            if (recur) {
                e *= g;
                g *= gg;
            }
        }
    }
    WriteFunctions(s, d0, step, first, last - first, radial.data(), pRadial.data(), values, stride);
    return {first, last};
}

void GaussianBasis::WriteFunctions(int s, const Point3D& d0, const Point3D& step, int first, int n,
                                   const double* radial, const double* pRadial, double* values,
                                   int stride) const {
    const BasisShell& shell = shells_[static_cast<std::size_t>(s)];
    std::array<double, (kMaxL + 1) * (kMaxL + 2) / 2> angular;
    const int functions = shell.FunctionCount();
    for (int k = 0; k < n; ++k) {
        const int point = first + k;
        if (shell.l == 0) {
            values[point] = radial[k];
            continue;
        }
        const Point3D d = Plus(d0, Scaled(step, point));
        if (shell.sp || shell.l == 1) {
            const double* p = shell.sp ? pRadial : radial;
            const int at = shell.sp ? stride : 0;
            if (shell.sp)
                values[point] = radial[k];
            values[at + point] = p[k] * d.x;
            values[at + stride + point] = p[k] * d.y;
            values[at + 2 * stride + point] = p[k] * d.z;
            continue;
        }
        Angular(shell.l, shell.pure, d.x, d.y, d.z, angular.data());
        for (int f = 0; f < functions; ++f)
            values[f * stride + point] = angular[static_cast<std::size_t>(f)] * radial[k];
    }
}

bool GaussianBasis::PrepareAxisFactors(const VolumeGrid& grid, AxisFactors& factors) const {
    if (!grid.AxisAligned())
        return false;
    std::size_t primitives = 0;
    for (const BasisShell& shell : shells_)
        primitives += shell.exponents.size();
    const std::size_t perPrimitive = static_cast<std::size_t>(grid.points[0]) +
                                     static_cast<std::size_t>(grid.points[1]) +
                                     static_cast<std::size_t>(grid.points[2]);
    if (primitives * perPrimitive > kMaxFactors)
        return false;
    factors.grid = grid;
    factors.grid.values.clear();
    factors.shellStart.clear();
    factors.values.clear();
    factors.values.reserve(primitives * perPrimitive);
    const double steps[3] = {grid.axes[0].x, grid.axes[1].y, grid.axes[2].z};
    const double origin[3] = {grid.origin.x, grid.origin.y, grid.origin.z};
    for (const BasisShell& shell : shells_) {
        factors.shellStart.push_back(factors.values.size());
        const double centre[3] = {shell.centre.x, shell.centre.y, shell.centre.z};
        for (double alpha : shell.exponents) {
            for (int axis = 0; axis < 3; ++axis) {
                for (int k = 0; k < grid.points[static_cast<std::size_t>(axis)]; ++k) {
                    const double d = origin[axis] + k * steps[axis] - centre[axis];
                    factors.values.push_back(std::exp(-alpha * d * d));
                }
            }
        }
    }
    return true;
}

std::pair<int, int> GaussianBasis::EvaluateGridLine(int s, const AxisFactors& factors, int i, int j,
                                                    double* values, int stride) const {
    const BasisShell& shell = shells_[static_cast<std::size_t>(s)];
    const Prepared& prepared = prepared_[static_cast<std::size_t>(s)];
    const VolumeGrid& grid = factors.grid;
    const Point3D from = grid.PointAt(i, j, 0);
    const Point3D& step = grid.axes[2];
    const Point3D d0 = Minus(from, shell.centre);
    const double a = Dot(step, step), b = Dot(d0, step), d2 = Dot(d0, d0);
    const int nz = grid.points[2];
    const auto [first, last] = Window(a, b, d2, prepared.reach, nz);
    if (first >= last)
        return {0, 0};
    const std::size_t n = static_cast<std::size_t>(last - first);
    thread_local std::vector<double> radial, pRadial;
    radial.assign(n, 0.0);
    pRadial.assign(shell.sp ? n : 0, 0.0);
    const std::size_t perPrimitive = static_cast<std::size_t>(grid.points[0]) +
                                     static_cast<std::size_t>(grid.points[1]) +
                                     static_cast<std::size_t>(nz);
    const double* f = factors.values.data() + factors.shellStart[static_cast<std::size_t>(s)];
    for (std::size_t p = 0; p < prepared.radial.size(); ++p, f += perPrimitive) {
        const auto [begin, end] =
            Clamped(Window(a, b, d2, prepared.primitiveReach[p], nz), first, last);
        if (begin >= end)
            continue;
        const double xy = f[i] * f[grid.points[0] + j];
        const double* z = f + grid.points[0] + grid.points[1];
        const double cs = prepared.radial[p] * xy;
        for (int k = begin; k < end; ++k)
            radial[static_cast<std::size_t>(k - first)] += cs * z[k];
        if (shell.sp) {
            const double cp = prepared.pRadial[p] * xy;
            for (int k = begin; k < end; ++k)
                pRadial[static_cast<std::size_t>(k - first)] += cp * z[k];
        }
    }
    WriteFunctions(s, d0, step, first, last - first, radial.data(), pRadial.data(), values, stride);
    return {first, last};
}

void GaussianBasis::Evaluate(const Point3D& p, double* values) const {
    std::fill(values, values + functionCount_, 0.0);
    for (std::size_t s = 0; s < shells_.size(); ++s)
        EvaluateLine(static_cast<int>(s), p, Point3D{}, 1, values + prepared_[s].first, 1);
}
