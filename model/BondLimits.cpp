#include "model/BondLimits.h"

#include <algorithm>

namespace {

// Covalent radii (Å) by atomic number, 1 to 96: B. Cordero, V. Gómez,
// A. E. Platero-Prats, M. Revés, J. Echeverría, E. Cremades, F. Barragán and
// S. Alvarez, "Covalent radii revisited", Dalton Trans. 2008, 2832-2838
// (Table 2; sp3 carbon; low-spin manganese, iron and cobalt). Rubidium (37)
// has no row in the element table (37 is the lone pair), so its radius is
// never looked up; 0 stands for "no radius".
// clang-format off
constexpr double kCovalentRadius[97] = {
    0.0,
    0.31, 0.28,                                                              // H He
    1.28, 0.96, 0.84, 0.76, 0.71, 0.66, 0.57, 0.58,                          // Li-Ne
    1.66, 1.41, 1.21, 1.11, 1.07, 1.05, 1.02, 1.06,                          // Na-Ar
    2.03, 1.76, 1.70, 1.60, 1.53, 1.39, 1.39, 1.32, 1.26, 1.24, 1.32, 1.22,  // K-Zn
    1.22, 1.20, 1.19, 1.20, 1.20, 1.16,                                      // Ga-Kr
    2.20, 1.95, 1.90, 1.75, 1.64, 1.54, 1.47, 1.46, 1.42, 1.39, 1.45, 1.44,  // Rb-Cd
    1.42, 1.39, 1.39, 1.38, 1.39, 1.40,                                      // In-Xe
    2.44, 2.15,                                                              // Cs Ba
    2.07, 2.04, 2.03, 2.01, 1.99, 1.98, 1.98, 1.96, 1.94, 1.92, 1.92, 1.89,  // La-Er
    1.90, 1.87, 1.87,                                                        // Tm-Lu
    1.75, 1.70, 1.62, 1.51, 1.44, 1.41, 1.36, 1.36, 1.32,                    // Hf-Hg
    1.45, 1.46, 1.48, 1.40, 1.50, 1.50,                                      // Tl-Rn
    2.60, 2.21, 2.15, 2.06, 2.00, 1.96, 1.90, 1.87, 1.80, 1.69,              // Fr-Cm
};
// clang-format on

struct BuiltInLimit {
    const char* first;
    const char* second;
    double distance; // Å
};

const BuiltInLimit kBuiltIn[] = {
    {"H", "H", 0.938},  {"N", "N", 1.641},  {"O", "O", 1.660},   {"F", "F", 1.606},
    {"P", "P", 2.524},  {"S", "S", 2.238},  {"CL", "CL", 2.231}, {"BR", "BR", 2.537},
    {"H", "C", 1.290},  {"H", "N", 1.210},  {"H", "O", 1.160},   {"H", "F", 1.120},
    {"H", "P", 1.610},  {"H", "CL", 1.480}, {"C", "C", 1.726},   {"C", "N", 1.670},
    {"C", "O", 1.640},  {"C", "F", 1.570},  {"C", "P", 2.030},   {"C", "S", 2.020},
    {"C", "CL", 2.000}, {"C", "BR", 2.140}, {"N", "O", 1.620},   {"N", "F", 1.620},
    {"N", "P", 1.920},  {"N", "S", 1.890},  {"N", "CL", 1.950},  {"N", "BR", 2.130},
    {"H", "S", 1.540},  {"H", "BR", 1.610}, {"O", "F", 1.610},   {"O", "P", 1.840},
    {"O", "S", 1.850},  {"O", "CL", 1.900}, {"O", "BR", 1.990},  {"F", "P", 1.700},
    {"F", "S", 1.780},  {"F", "CL", 1.848}, {"P", "S", 2.320},   {"P", "CL", 2.240},
    {"S", "CL", 2.230}, {"P", "BR", 2.440}, {"S", "BR", 2.410},
};

} // namespace

BondLimits::BondLimits()
    : limits_(static_cast<std::size_t>(ElementTable::kRowCount) * ElementTable::kRowCount,
              kDefaultSquared),
      fromRadii_(limits_.size(), false) {}

bool BondLimits::IsMetal(int element) {
    switch (element) {
    case 0:
    case 1:
    case 2:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
    case 14:
    case 15:
    case 16:
    case 17:
    case 18:
    case 32:
    case 33:
    case 34:
    case 35:
    case 36:
    case ElementTable::kLonePair:
    case 51:
    case 52:
    case 53:
    case 54:
    case 85:
    case 86:
        return false; // the dummy, non-metals, metalloids and the lone pair
    default:
        return element > 0 && element < ElementTable::kRowCount;
    }
}

bool BondLimits::IsAlkaliOrAlkalineEarth(int element) {
    switch (element) {
    case 3:
    case 4:
    case 11:
    case 12:
    case 19:
    case 20:
    case 38:
    case 55:
    case 56:
    case 87:
    case 88:
        return true;
    default:
        return false;
    }
}

double BondLimits::CovalentRadius(int element) {
    if (element <= 0 || element >= static_cast<int>(std::size(kCovalentRadius)) ||
        element == ElementTable::kLonePair)
        return 0.0;
    return kCovalentRadius[element];
}

BondLimits& BondLimits::instance() {
    static BondLimits limits;
    return limits;
}

void BondLimits::SetDistance(int a, int b, double distance) {
    a = ElementTable::Clamp(a);
    b = ElementTable::Clamp(b);
    const int index = a <= b ? Index(a, b) : Index(b, a);
    limits_[static_cast<std::size_t>(index)] = distance * distance;
    fromRadii_[static_cast<std::size_t>(index)] = false;
}

void BondLimits::ApplyBuiltIn() {
    for (int a = 1; a < ElementTable::kRowCount; ++a) {
        for (int b = a; b < ElementTable::kRowCount; ++b) {
            const double ra = CovalentRadius(a), rb = CovalentRadius(b);
            // Alkali and alkaline-earth atoms side by side are ions of a
            // salt or a cluster, not bonded to one another.
            if (ra <= 0.0 || rb <= 0.0 ||
                (IsAlkaliOrAlkalineEarth(a) && IsAlkaliOrAlkalineEarth(b)))
                continue;
            const double tolerance =
                IsMetal(a) && IsMetal(b) ? kMetalMetalTolerance : kRadiusTolerance;
            SetDistance(a, b, std::max(kDefaultDistance, ra + rb + tolerance));
            fromRadii_[static_cast<std::size_t>(Index(a, b))] = true;
        }
    }
    for (const BuiltInLimit& limit : kBuiltIn)
        SetDistance(ElementTable::NumberOfSymbol(limit.first),
                    ElementTable::NumberOfSymbol(limit.second), limit.distance);
}
