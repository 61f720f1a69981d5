#include "model/Wavefunction.h"

#include <cstddef>

double Wavefunction::Occupation(bool betaSpin, int index) const {
    if (index < 0 || index >= Orbitals(betaSpin).Count())
        return 0.0;
    if (Unrestricted())
        return index < (betaSpin ? betaElectrons : alphaElectrons) ? 1.0 : 0.0;
    return (index < alphaElectrons ? 1.0 : 0.0) + (index < betaElectrons ? 1.0 : 0.0);
}

int Wavefunction::Homo(bool betaSpin) const {
    int homo = 0;
    for (int o = 0; o < Orbitals(betaSpin).Count(); ++o) {
        if (Occupation(betaSpin, o) > 0.0)
            homo = o + 1;
    }
    return homo;
}

int Wavefunction::Lumo(bool betaSpin) const {
    const int lumo = Homo(betaSpin) + 1;
    return lumo <= Orbitals(betaSpin).Count() ? lumo : 0;
}

std::vector<double> Wavefunction::DensityMatrix(bool spin) const {
    const std::vector<double>& stored = spin ? spinDensity : totalDensity;
    const std::size_t n = static_cast<std::size_t>(basis.FunctionCount());
    // A restricted open-shell job's files store a total density that is not
    // the sum over both spins' occupied orbitals; those are taken instead.
    const bool restrictedOpen = !Unrestricted() && alphaElectrons != betaElectrons;
    if (stored.size() == n * (n + 1) / 2 && !restrictedOpen)
        return stored;
    std::vector<double> matrix(n * (n + 1) / 2, 0.0);
    // Each occupied orbital adds its weight times c cᵀ: alpha electrons
    // count +1 for the spin density and beta ones -1.
    const auto add = [&](const OrbitalSet& set, int electrons, double weight) {
        for (int o = 0; o < electrons && o < set.Count(); ++o) {
            const double* c = set.coefficients.data() + static_cast<std::size_t>(o) * n;
            std::size_t at = 0;
            for (std::size_t i = 0; i < n; ++i) {
                for (std::size_t j = 0; j <= i; ++j)
                    matrix[at++] += weight * c[i] * c[j];
            }
        }
    };
    add(alpha, alphaElectrons, 1.0);
    add(Unrestricted() ? beta : alpha, betaElectrons, spin ? -1.0 : 1.0);
    return matrix;
}
