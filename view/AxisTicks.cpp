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
    const auto count = [low, high](double step) {
        return std::floor(high / step + 1e-9) - std::ceil(low / step - 1e-9) + 1.0;
    };
    if (!(span > 0.0)) {
        ticks.values.push_back(low);
        return ticks;
    }
    // From a tenth of the even share upwards, through 1, 2, 5 of each decade.
    int exponent = static_cast<int>(std::floor(std::log10(span / most))) - 1;
    double step = 0.0;
    for (bool found = false; !found; ++exponent) {
        for (const double mantissa : {1.0, 2.0, 5.0}) {
            step = mantissa * std::pow(10.0, exponent);
            if (step >= finest && count(step) <= most) {
                found = true;
                break;
            }
        }
    }
    ticks.step = step;
    ticks.decimals = DecimalsOf(step);
    const double first = std::ceil(low / step - 1e-9);
    for (double k = first; k * step <= high + step * 1e-9; k += 1.0)
        ticks.values.push_back(std::abs(k) < 0.5 ? 0.0 : k * step);
    return ticks;
}
