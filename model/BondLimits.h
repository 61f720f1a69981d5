#pragma once

#include "model/ElementTable.h"

#include <vector>

// Squared bond distance limits (Å²) for pairs of element numbers. Only the
// entry [smaller number][larger number] is used; every entry starts at 2.89
// (1.7 Å). Numbers without a row in the element table are taken as 0.
class BondLimits {
public:
    static constexpr double kDefaultDistance = 1.7;
    static constexpr double kDefaultSquared = 2.89; // 1.7²
    // Added to the sum of two covalent radii: long enough for the long
    // metal-ligand bonds of real complexes (axial Cu(II)-N 2.40 Å is the
    // sum + 0.37), short of van der Waals contacts.
    static constexpr double kRadiusTolerance = 0.4;
    // Between two metals: enough for metal-metal bonds (Cu-Cu 2.50 Å in the
    // Cu2 molecule is the radii sum − 0.14), short of the metal-metal
    // distances of bridged complexes and alloys.
    static constexpr double kMetalMetalTolerance = 0.1;

    BondLimits();

    // The limits bond perception uses in the running program.
    static BondLimits& instance();

    // Squared limit of the pair, in either order.
    double Squared(int a, int b) const {
        a = ElementTable::Clamp(a);
        b = ElementTable::Clamp(b);
        return a <= b ? limits_[static_cast<std::size_t>(Index(a, b))]
                      : limits_[static_cast<std::size_t>(Index(b, a))];
    }
    // Whether the pair's limit is the one made from covalent radii (no
    // built-in or file limit replaced it).
    bool IsFromRadii(int a, int b) const {
        a = ElementTable::Clamp(a);
        b = ElementTable::Clamp(b);
        return fromRadii_[static_cast<std::size_t>(a <= b ? Index(a, b) : Index(b, a))];
    }
    // Stores distance² for the pair, in either order.
    void SetDistance(int a, int b, double distance);
    // Gives every pair of elements with covalent radii the limit
    // max(1.7, r_a + r_b + kRadiusTolerance) (kMetalMetalTolerance between
    // two metals), then stores the built-in limits of the common organic
    // pairs over those. Pairs without radii (the dummy, the lone pair,
    // elements beyond curium) and pairs of two alkali or alkaline-earth
    // atoms keep whatever value they have.
    void ApplyBuiltIn();

    // Covalent radius (Å) of an element; 0 when there is none.
    static double CovalentRadius(int element);
    // Whether the element is a metal (not a non-metal or metalloid, the
    // dummy or the lone pair), and whether it is of the first two groups.
    static bool IsMetal(int element);
    static bool IsAlkaliOrAlkalineEarth(int element);

private:
    static int Index(int p, int q) { return p * ElementTable::kRowCount + q; }
    std::vector<double> limits_;
    std::vector<bool> fromRadii_;
};
