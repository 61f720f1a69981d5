#include "model/BasisOverlap.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace {

// One angular momentum's part of a shell: an sp shell has two.
struct Part {
    int l = 0;
    const Point3D* centre = nullptr;
    const std::vector<double>* exponents = nullptr;
    std::vector<double> weights; // per primitive, of x^a y^b z^c exp(-α r²)
    bool pure = false;
    int first = 0; // the basis function of its first function
};

// The functions of l (pure or Cartesian) as combinations of the raw
// monomials x^a y^b z^c of CartesianPowersOf(l): row f holds function f's.
// Found by solving for them at as many points as there are monomials,
// which is exact: both are homogeneous polynomials of degree l, and this
// keeps one definition of the functions, the basis's own.
std::vector<double> MonomialCombinations(int l, bool pure) {
    const auto& powers = GaussianBasis::CartesianPowersOf(l);
    const int m = static_cast<int>(powers.size());
    const int functions = pure && l >= 2 ? 2 * l + 1 : m;
    // Points spread without pattern (a fixed sequence, so the result is
    // the same every time).
    std::uint64_t state = 0x9E3779B97F4A7C15ULL;
    const auto next = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state >> 11) / 9007199254740992.0 * 2.0 - 1.0;
    };
    // a[p][k]: monomial k at point p; b[p][f]: function f at point p.
    std::vector<double> a(static_cast<std::size_t>(m * m)),
        b(static_cast<std::size_t>(m * functions));
    std::vector<double> values(static_cast<std::size_t>(m));
    for (int p = 0; p < m; ++p) {
        const double x = next(), y = next(), z = next();
        for (int k = 0; k < m; ++k) {
            const auto& e = powers[static_cast<std::size_t>(k)];
            a[static_cast<std::size_t>(p * m + k)] =
                std::pow(x, e[0]) * std::pow(y, e[1]) * std::pow(z, e[2]);
        }
        GaussianBasis::Angular(l, pure, x, y, z, values.data());
        for (int f = 0; f < functions; ++f)
            b[static_cast<std::size_t>(p * functions + f)] = values[static_cast<std::size_t>(f)];
    }
    // Gaussian elimination with partial pivoting, all functions at once.
    const auto at = [&a, m](int r, int c) -> double& {
        return a[static_cast<std::size_t>(r * m + c)];
    };
    const auto rhs = [&b, functions](int r, int c) -> double& {
        return b[static_cast<std::size_t>(r * functions + c)];
    };
    for (int c = 0; c < m; ++c) {
        int pivot = c;
        for (int r = c + 1; r < m; ++r) {
            if (std::fabs(at(r, c)) > std::fabs(at(pivot, c)))
                pivot = r;
        }
        for (int k = 0; k < m; ++k)
            std::swap(at(c, k), at(pivot, k));
        for (int f = 0; f < functions; ++f)
            std::swap(rhs(c, f), rhs(pivot, f));
        for (int r = c + 1; r < m; ++r) {
            const double factor = at(r, c) / at(c, c);
            for (int k = c; k < m; ++k)
                at(r, k) -= factor * at(c, k);
            for (int f = 0; f < functions; ++f)
                rhs(r, f) -= factor * rhs(c, f);
        }
    }
    std::vector<double> combinations(static_cast<std::size_t>(functions * m));
    for (int f = 0; f < functions; ++f) {
        for (int r = m - 1; r >= 0; --r) {
            double sum = rhs(r, f);
            for (int k = r + 1; k < m; ++k)
                sum -= at(r, k) * combinations[static_cast<std::size_t>(f * m + k)];
            combinations[static_cast<std::size_t>(f * m + r)] = sum / at(r, r);
        }
    }
    return combinations;
}

const std::vector<double>& CombinationsOf(int l, bool pure) {
    static const std::array<std::array<std::vector<double>, 2>, GaussianBasis::kMaxL + 1> table =
        [] {
            std::array<std::array<std::vector<double>, 2>, GaussianBasis::kMaxL + 1> all;
            for (int n = 0; n <= GaussianBasis::kMaxL; ++n) {
                for (int p = 0; p < 2; ++p)
                    all[static_cast<std::size_t>(n)][static_cast<std::size_t>(p)] =
                        MonomialCombinations(n, p == 1);
            }
            return all;
        }();
    return table[static_cast<std::size_t>(l)][pure ? 1 : 0];
}

// ∫ (x - A)^i (x - B)^j exp(-α (x - A)² - β (x - B)²) dx for i ≤ li, j ≤ lj,
// without the factor exp(-αβ/(α+β) (A - B)²), into out[i * (lj + 1) + j]:
// the binomial expansion about the product's centre P.
void AxisIntegrals(double alpha, double beta, double a, double b, int li, int lj, double* out) {
    const double p = alpha + beta;
    const double centre = (alpha * a + beta * b) / p;
    const double pa = centre - a, pb = centre - b;
    // Moments ∫ t^n exp(-p t²) dt: (n - 1)!! / (2p)^(n/2) √(π/p) for even n.
    std::array<double, 2 * GaussianBasis::kMaxL + 2> moments{};
    moments[0] = std::sqrt(M_PI / p);
    for (int n = 2; n <= li + lj; n += 2)
        moments[static_cast<std::size_t>(n)] =
            moments[static_cast<std::size_t>(n - 2)] * (n - 1) / (2.0 * p);
    std::array<std::array<double, GaussianBasis::kMaxL + 1>, GaussianBasis::kMaxL + 1> binomial{};
    for (int n = 0; n <= GaussianBasis::kMaxL; ++n) {
        binomial[static_cast<std::size_t>(n)][0] = 1.0;
        for (int k = 1; k <= n; ++k)
            binomial[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)] =
                binomial[static_cast<std::size_t>(n)][static_cast<std::size_t>(k - 1)] *
                (n - k + 1) / k;
    }
    for (int i = 0; i <= li; ++i) {
        for (int j = 0; j <= lj; ++j) {
            double sum = 0.0;
            for (int u = 0; u <= i; ++u) {
                for (int v = 0; v <= j; ++v) {
                    if ((u + v) % 2 != 0)
                        continue;
                    sum += binomial[static_cast<std::size_t>(i)][static_cast<std::size_t>(u)] *
                           binomial[static_cast<std::size_t>(j)][static_cast<std::size_t>(v)] *
                           std::pow(pa, i - u) * std::pow(pb, j - v) *
                           moments[static_cast<std::size_t>(u + v)];
                }
            }
            out[i * (lj + 1) + j] = sum;
        }
    }
}

} // namespace

BasisOverlap::BasisOverlap(const GaussianBasis& basis) : n_(basis.FunctionCount()) {
    std::vector<Part> parts;
    const auto& shells = basis.Shells();
    for (std::size_t s = 0; s < shells.size(); ++s) {
        const BasisShell& shell = shells[s];
        const int first = basis.FirstFunction(static_cast<int>(s));
        const auto add = [&](int l, const std::vector<double>& coefficients, int at) {
            Part part;
            part.l = l;
            part.centre = &shell.centre;
            part.exponents = &shell.exponents;
            part.pure = shell.pure && l >= 2;
            part.first = at;
            // Coefficients of normalised primitives: the primitive's own
            // factor (2α/π)^¾ (4α)^(l/2), constants common to all dropped.
            for (std::size_t k = 0; k < shell.exponents.size() && k < coefficients.size(); ++k) {
                const double alpha = shell.exponents[k];
                const double w = coefficients[k] * std::pow(alpha, 0.75 + 0.5 * l);
                part.weights.push_back(std::isfinite(w) ? w : 0.0);
            }
            parts.push_back(std::move(part));
        };
        if (shell.sp) {
            add(0, shell.coefficients, first);
            add(1, shell.pCoefficients, first + 1);
        } else {
            add(shell.l, shell.coefficients, first);
        }
    }
    s_.assign(static_cast<std::size_t>(n_) * static_cast<std::size_t>(n_), 0.0);
    std::vector<double> ix, iy, iz, raw;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        for (std::size_t q = p; q < parts.size(); ++q) {
            const Part& a = parts[p];
            const Part& b = parts[q];
            const auto& pa = GaussianBasis::CartesianPowersOf(a.l);
            const auto& pb = GaussianBasis::CartesianPowersOf(b.l);
            const std::size_t ma = pa.size(), mb = pb.size();
            const int stride = b.l + 1;
            const std::size_t table = static_cast<std::size_t>((a.l + 1) * stride);
            ix.resize(table);
            iy.resize(table);
            iz.resize(table);
            // The monomials' overlaps, summed over the primitive pairs.
            raw.assign(ma * mb, 0.0);
            const Point3D& A = *a.centre;
            const Point3D& B = *b.centre;
            const double d2 =
                (A.x - B.x) * (A.x - B.x) + (A.y - B.y) * (A.y - B.y) + (A.z - B.z) * (A.z - B.z);
            for (std::size_t i = 0; i < a.weights.size(); ++i) {
                for (std::size_t j = 0; j < b.weights.size(); ++j) {
                    const double alpha = (*a.exponents)[i], beta = (*b.exponents)[j];
                    const double factor =
                        a.weights[i] * b.weights[j] * std::exp(-alpha * beta / (alpha + beta) * d2);
                    if (factor == 0.0)
                        continue;
                    AxisIntegrals(alpha, beta, A.x, B.x, a.l, b.l, ix.data());
                    AxisIntegrals(alpha, beta, A.y, B.y, a.l, b.l, iy.data());
                    AxisIntegrals(alpha, beta, A.z, B.z, a.l, b.l, iz.data());
                    for (std::size_t u = 0; u < ma; ++u) {
                        for (std::size_t v = 0; v < mb; ++v) {
                            const auto& e = pa[u];
                            const auto& g = pb[v];
                            raw[u * mb + v] += factor *
                                               ix[static_cast<std::size_t>(e[0] * stride + g[0])] *
                                               iy[static_cast<std::size_t>(e[1] * stride + g[1])] *
                                               iz[static_cast<std::size_t>(e[2] * stride + g[2])];
                        }
                    }
                }
            }
            // The functions' overlaps from the monomials'.
            const std::vector<double>& ca = CombinationsOf(a.l, a.pure);
            const std::vector<double>& cb = CombinationsOf(b.l, b.pure);
            const std::size_t fa = ca.size() / ma, fb = cb.size() / mb;
            for (std::size_t f = 0; f < fa; ++f) {
                for (std::size_t g = 0; g < fb; ++g) {
                    double sum = 0.0;
                    for (std::size_t u = 0; u < ma; ++u) {
                        const double cu = ca[f * ma + u];
                        if (cu == 0.0)
                            continue;
                        for (std::size_t v = 0; v < mb; ++v)
                            sum += cu * cb[g * mb + v] * raw[u * mb + v];
                    }
                    const std::size_t i = static_cast<std::size_t>(a.first) + f;
                    const std::size_t j = static_cast<std::size_t>(b.first) + g;
                    s_[i * static_cast<std::size_t>(n_) + j] = sum;
                    s_[j * static_cast<std::size_t>(n_) + i] = sum;
                }
            }
        }
    }
    // Each function normalised, as the basis evaluates it.
    std::vector<double> scale(static_cast<std::size_t>(n_));
    for (int i = 0; i < n_; ++i) {
        const double self = At(i, i);
        scale[static_cast<std::size_t>(i)] = self > 0.0 ? 1.0 / std::sqrt(self) : 0.0;
    }
    for (int i = 0; i < n_; ++i) {
        for (int j = 0; j < n_; ++j)
            s_[static_cast<std::size_t>(i) * static_cast<std::size_t>(n_) +
               static_cast<std::size_t>(j)] *=
                scale[static_cast<std::size_t>(i)] * scale[static_cast<std::size_t>(j)];
    }
}

double BasisOverlap::NormOf(const double* c) const {
    double norm = 0.0;
    for (int i = 0; i < n_; ++i) {
        if (c[i] == 0.0)
            continue;
        double row = 0.0;
        const double* s = &s_[static_cast<std::size_t>(i) * static_cast<std::size_t>(n_)];
        for (int j = 0; j < n_; ++j)
            row += s[j] * c[j];
        norm += c[i] * row;
    }
    return norm;
}
