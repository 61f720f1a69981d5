#include "model/ReactionPath.h"

#include <algorithm>
#include <cmath>

int ReactionPath::Lowest() const {
    int lowest = -1;
    for (std::size_t p = 0; p < points.size(); ++p) {
        const double e = points[p].energy;
        if (std::isfinite(e) && (lowest < 0 || e < points[static_cast<std::size_t>(lowest)].energy))
            lowest = static_cast<int>(p);
    }
    return lowest;
}

int ReactionPath::PointOfGeometry(int g) const {
    for (std::size_t p = 0; p < points.size(); ++p) {
        if (points[p].geometry == g && g >= 0)
            return static_cast<int>(p);
    }
    return -1;
}

double ReactionPath::InUnit(double hartree, Unit unit) {
    switch (unit) {
    case Unit::kHartree:
        return hartree;
    case Unit::kKjPerMol:
        return hartree * kKjPerHartree;
    case Unit::kKcalPerMol:
        return hartree * kKcalPerHartree;
    }
    return hartree;
}

double ReactionPath::Relative(int p, Unit unit) const {
    const int lowest = Lowest();
    if (lowest < 0 || p < 0 || p >= static_cast<int>(points.size()))
        return kNotPrinted;
    return InUnit(points[static_cast<std::size_t>(p)].energy -
                      points[static_cast<std::size_t>(lowest)].energy,
                  unit);
}

const char* ReactionPath::UnitName(Unit unit) {
    switch (unit) {
    case Unit::kHartree:
        return "hartree";
    case Unit::kKjPerMol:
        return "kJ/mol";
    case Unit::kKcalPerMol:
        return "kcal/mol";
    }
    return "";
}

const char* ReactionPath::KindName(Kind kind) {
    switch (kind) {
    case Kind::kNone:
        return "none";
    case Kind::kScan:
        return "scan";
    case Kind::kIrc:
        return "irc";
    }
    return "";
}

std::string ReactionPath::AxisUnit() const {
    if (kind == Kind::kIrc)
        return "amu^1/2 bohr";
    return coordinates.empty() ? std::string() : std::string(coordinates.front().Unit());
}
