#pragma once

#include "model/GaussianBasis.h"

#include <vector>

// The overlap integrals ⟨i|j⟩ of a basis's functions, exactly as the basis
// evaluates them (each normalised, so ⟨i|i⟩ = 1), in closed form. With them
// an orbital's norm cᵀSc tells whether its coefficients are over the
// functions they were read for: a file's normalisation convention is told
// by it.
class BasisOverlap {
public:
    explicit BasisOverlap(const GaussianBasis& basis);

    int Size() const { return n_; }
    double At(int i, int j) const {
        return s_[static_cast<std::size_t>(i) * static_cast<std::size_t>(n_) +
                  static_cast<std::size_t>(j)];
    }
    // cᵀSc of the n coefficients at c.
    double NormOf(const double* c) const;

private:
    int n_ = 0;
    std::vector<double> s_; // n × n, row by row
};
