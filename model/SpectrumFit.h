#pragma once

#include "model/Spectrum.h"

#include <vector>

// How a measured spectrum lies over a computed one: the shift along x that
// lays the measured points best over the computed curve, and the factor
// that brings them to its height, in the least-squares sense
// (Σ (scale·y(x) − curve(x − shift))² smallest), the shift searched within
// ±range on a grid of 400 steps and refined about the best.
struct SpectrumFit {
    double shift = 0.0;
    double scale = 1.0;
    double residual = 0.0;

    static SpectrumFit Of(const Spectrum& computed, const std::vector<double>& x,
                          const std::vector<double>& y, double range);
};
