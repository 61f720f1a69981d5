#pragma once

// The convergence table an optimisation prints after a step: Maximum Force,
// RMS Force, Maximum Displacement and RMS Displacement, each with its value,
// threshold and whether it converged.
struct StepConvergence {
    enum Item { kMaximumForce, kRmsForce, kMaximumDisplacement, kRmsDisplacement, kItems };
    static constexpr const char* kNames[kItems] = {"maximumForce", "rmsForce",
                                                   "maximumDisplacement", "rmsDisplacement"};

    bool present[kItems] = {false, false, false, false};
    double value[kItems] = {0, 0, 0, 0};
    double threshold[kItems] = {0, 0, 0, 0};
    bool converged[kItems] = {false, false, false, false};

    bool Any() const { return present[0] || present[1] || present[2] || present[3]; }
    // Whether all four items are printed and converged.
    bool AllConverged() const {
        for (int k = 0; k < kItems; ++k) {
            if (!present[k] || !converged[k])
                return false;
        }
        return true;
    }
};
