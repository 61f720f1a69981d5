#include "render/Measurement.h"

#include "model/CMolData.h"

#include <cmath>
#include <cstdio>

double Measurement::Value(const CMolData& data, int g) const {
    for (const int a : atoms) {
        if (!data.HasAtom(g, a))
            return std::nan("");
    }
    double value = std::nan("");
    switch (atoms.size()) {
    case 2:
        value = data.GetDistance(g, atoms[0], atoms[1]);
        break;
    case 3:
        value = data.GetAngle(g, atoms[0], atoms[1], atoms[2]);
        break;
    case 4:
        value = data.GetDihedral(g, atoms[0], atoms[1], atoms[2], atoms[3]);
        // The graph gives more than a half turn for a dihedral it cannot
        // tell.
        if (std::abs(value) > 180.0)
            value = std::nan("");
        break;
    default:
        break;
    }
    return std::isfinite(value) ? value : std::nan("");
}

std::string Measurement::Text(const CMolData& data, int g) const {
    const double value = Value(data, g);
    if (std::isnan(value))
        return {};
    char text[48];
    if (atoms.size() == 2)
        std::snprintf(text, sizeof text, "%.3f \xC3\x85", value);
    else
        std::snprintf(text, sizeof text, "%.1f\xC2\xB0", value);
    return text;
}
