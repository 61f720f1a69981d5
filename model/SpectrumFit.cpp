#include "model/SpectrumFit.h"

#include <cmath>

namespace {

// The best scale for a shift, and what is left.
SpectrumFit At(const Spectrum& computed, const std::vector<double>& x, const std::vector<double>& y,
               double shift) {
    double yc = 0.0, yy = 0.0, cc = 0.0;
    for (std::size_t k = 0; k < x.size() && k < y.size(); ++k) {
        if (!std::isfinite(x[k]) || !std::isfinite(y[k]))
            continue;
        const double c = computed.Curve(x[k] - shift);
        yc += y[k] * c;
        yy += y[k] * y[k];
        cc += c * c;
    }
    SpectrumFit fit;
    fit.shift = shift;
    fit.scale = yy > 0.0 ? yc / yy : 1.0;
    fit.residual = cc - 2.0 * fit.scale * yc + fit.scale * fit.scale * yy;
    return fit;
}

} // namespace

SpectrumFit SpectrumFit::Of(const Spectrum& computed, const std::vector<double>& x,
                            const std::vector<double>& y, double range) {
    constexpr int kSteps = 400;
    SpectrumFit best = At(computed, x, y, 0.0);
    double step = range > 0.0 ? 2.0 * range / kSteps : 0.0;
    for (int k = 0; step > 0.0 && k <= kSteps; ++k) {
        const SpectrumFit fit = At(computed, x, y, -range + step * k);
        if (fit.residual < best.residual && fit.scale > 0.0)
            best = fit;
    }
    // Finer about the best, twice.
    for (int round = 0; round < 2 && step > 0.0; ++round) {
        const double centre = best.shift;
        step /= 20.0;
        for (int k = -20; k <= 20; ++k) {
            const SpectrumFit fit = At(computed, x, y, centre + step * k);
            if (fit.residual < best.residual && fit.scale > 0.0)
                best = fit;
        }
    }
    return best;
}
