#pragma once

#include "model/ElementTable.h"

#include <vector>

// Squared bond distance limits (Å²) for pairs of element numbers. Only the
// entry [smaller number][larger number] is used; every entry starts at 2.89
// (1.7 Å). Numbers without a row in the element table are taken as 0.
class BondLimits {
public:
    static constexpr double kDefaultSquared = 2.89;

    BondLimits();

    // The limits bond perception uses in the running program.
    static BondLimits& instance();

    // Squared limit of the pair, in either order.
    double Squared(int a, int b) const {
        a = ElementTable::Clamp(a);
        b = ElementTable::Clamp(b);
        return a <= b ? limits_[Index(a, b)] : limits_[Index(b, a)];
    }
    // Stores distance² for the pair, in either order.
    void SetDistance(int a, int b, double distance);
    // Stores the built-in limits of the common organic pairs (others keep
    // whatever value they have).
    void ApplyBuiltIn();

private:
    static int Index(int p, int q) { return p * ElementTable::kRowCount + q; }
    std::vector<double> limits_;
};
