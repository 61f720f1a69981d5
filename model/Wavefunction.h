#pragma once

#include "model/GaussianBasis.h"

#include <string>
#include <vector>

// Molecular orbitals of one spin: energies (hartree) and coefficients over
// the basis, orbital o's at [o * basis functions, (o + 1) * basis functions).
struct OrbitalSet {
    std::vector<double> energies;
    std::vector<double> coefficients;
    int Count() const { return static_cast<int>(energies.size()); }
};

// What a quantum-chemistry job left of its electrons: the basis, the
// orbitals and the density matrices, as a formatted checkpoint file holds
// them. Positions are in bohr.
struct Wavefunction {
    GaussianBasis basis;
    int charge = 0;
    int multiplicity = 1;
    int alphaElectrons = 0;
    int betaElectrons = 0;
    double totalEnergy = 0.0;
    // Beta orbitals are empty when the orbitals are restricted (shared by
    // both spins).
    OrbitalSet alpha, beta;
    // Density matrices over the basis as the file stores them, the lower
    // triangle row by row; empty when the file has none.
    std::vector<double> totalDensity, spinDensity;

    bool Unrestricted() const { return !beta.energies.empty(); }
    const OrbitalSet& Orbitals(bool betaSpin) const {
        return betaSpin && Unrestricted() ? beta : alpha;
    }
    // Electrons in orbital index (0-based) of that spin: 2, 1 or 0 for
    // restricted orbitals, 1 or 0 for unrestricted ones.
    double Occupation(bool betaSpin, int index) const;
    // 1-based numbers of the highest occupied and lowest unoccupied orbitals
    // of that spin; 0 when there is none such.
    int Homo(bool betaSpin) const;
    int Lumo(bool betaSpin) const;

    // The density matrix (lower triangle) of all electrons, or of alpha
    // minus beta with spin: the file's when it holds one, else made from
    // the occupied orbitals.
    std::vector<double> DensityMatrix(bool spin) const;
};
