#pragma once

#include "model/BasisOverlap.h"
#include "model/Wavefunction.h"

#include <algorithm>
#include <cmath>

// The largest |⟨i|j⟩ - δij| over the orbitals of each spin, by the
// overlaps in closed form.
inline double OrthonormalityError(const Wavefunction& w) {
    const BasisOverlap s(w.basis);
    const int n = s.Size();
    double worst = 0.0;
    for (const OrbitalSet* set : {&w.alpha, &w.beta}) {
        for (int i = 0; i < set->Count(); ++i) {
            const double* ci = &set->coefficients[static_cast<std::size_t>(i * n)];
            for (int j = 0; j <= i; ++j) {
                const double* cj = &set->coefficients[static_cast<std::size_t>(j * n)];
                double overlap = 0.0;
                for (int a = 0; a < n; ++a)
                    for (int b = 0; b < n; ++b)
                        overlap += ci[a] * s.At(a, b) * cj[b];
                worst = std::max(worst, std::fabs(overlap - (i == j ? 1.0 : 0.0)));
            }
        }
    }
    return worst;
}
