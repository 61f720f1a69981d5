#include "view/AxisTicks.h"

#include <algorithm>
#include <cmath>

int AxisTicks::DecimalsOf(double step) {
    if (!(step > 0.0) || step >= 1.0 || !std::isfinite(step))
        return 0;
    return static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}

AxisTicks AxisTicks::Between(double low, double high, int most, double finest) {
    AxisTicks ticks;
    if (low > high)
        std::swap(low, high);
    most = std::max(1, most);
    if (!std::isfinite(low) || !std::isfinite(high))
        return ticks;
    const double span = high - low;
    if (!(span > 0.0) || !std::isfinite(span)) {
        ticks.values.push_back(low);
        return ticks;
    }
    if (!(finest >= 0.0) || !std::isfinite(finest))
        finest = 0.0;
    // How many multiples of step lie within low … high.
    const auto count = [low, high](double step) {
        return std::floor(high / step + 1e-9) - std::ceil(low / step - 1e-9) + 1.0;
    };
    // From a tenth of the even share upwards, through 1, 2, 5 of each decade.
    const int from =
        std::clamp(static_cast<int>(std::floor(std::log10(span / most))) - 1, -300, 300);
    for (int exponent = from; exponent <= 307 && ticks.values.empty(); ++exponent) {
        for (const double mantissa : {1.0, 2.0, 5.0}) {
            const double step = mantissa * std::pow(10.0, exponent);
            const double n = count(step);
            if (step < finest || !(n >= 1.0 && n <= most))
                continue;
            ticks.step = step;
            ticks.decimals = DecimalsOf(step);
            // Counted, not stepped: a step below the values' precision
            // would never move on.
            const double first = std::ceil(low / step - 1e-9);
            for (int k = 0; k < static_cast<int>(n); ++k) {
                const double multiple = first + k;
                ticks.values.push_back(std::abs(multiple) < 0.5 ? 0.0 : multiple * step);
            }
            break;
        }
    }
    if (ticks.values.empty())
        ticks.values.push_back(low);
    return ticks;
}
