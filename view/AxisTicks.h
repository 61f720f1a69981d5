#pragma once

#include <vector>

// The labelled ticks of a chart's axis at round values: a step of 1, 2 or
// 5 × 10ⁿ, the finest that gives no more ticks than there is room for.
struct AxisTicks {
    double step = 1.0;
    std::vector<double> values; // ascending, within low … high
    int decimals = 0;           // digits after the point the step needs

    // Ticks over low … high (either order), at most most of them (at least
    // one is allowed), the step never finer than finest (1 for counts).
    static AxisTicks Between(double low, double high, int most, double finest = 0.0);
    // Digits after the point that a step of this size needs.
    static int DecimalsOf(double step);
};
