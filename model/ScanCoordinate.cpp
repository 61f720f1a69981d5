#include "model/ScanCoordinate.h"

#include "model/CGraphAlgorithm.h"
#include "model/TextScanner.h"

#include <cmath>

bool ScanCoordinate::Define(std::string_view text) {
    const std::size_t open = text.find('('), close = text.rfind(')');
    if (open != 1 || close == std::string_view::npos || close + 1 != text.size())
        return false;
    Kind k = Kind::kDistance;
    std::size_t wanted = 2;
    switch (text[0]) {
    case 'R':
        break;
    case 'A':
        k = Kind::kAngle;
        wanted = 3;
        break;
    case 'D':
        k = Kind::kDihedral;
        wanted = 4;
        break;
    default:
        return false;
    }
    std::vector<int> found;
    std::string_view list = text.substr(open + 1, close - open - 1);
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        int number = 0;
        if (!TextScanner::ParseInt(item, number) || number < 1)
            return false;
        found.push_back(number - 1);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    }
    if (found.size() != wanted)
        return false;
    kind = k;
    atoms = std::move(found);
    definition = std::string(text);
    return true;
}

double ScanCoordinate::ValueAmong(const std::vector<Point3D>& positions) const {
    std::vector<Point3D> p;
    for (const int a : atoms) {
        if (a < 0 || a >= static_cast<int>(positions.size()))
            return std::nan("");
        p.push_back(positions[static_cast<std::size_t>(a)]);
    }
    const CGraphAlgorithm formulas;
    switch (kind) {
    case Kind::kDistance:
        if (p.size() == 2) {
            const double dx = p[1].x - p[0].x, dy = p[1].y - p[0].y, dz = p[1].z - p[0].z;
            return std::sqrt(dx * dx + dy * dy + dz * dz);
        }
        break;
    case Kind::kAngle:
        if (p.size() == 3)
            return formulas.Angle(p[0], p[1], p[2]);
        break;
    case Kind::kDihedral:
        if (p.size() == 4) {
            const double d = formulas.Dihedral(p[0], p[1], p[2], p[3]);
            return d == CGraphAlgorithm::kUndefinedDihedral ? std::nan("") : d;
        }
        break;
    }
    return std::nan("");
}

const char* ScanCoordinate::Unit() const {
    return kind == Kind::kDistance ? "angstrom" : "degree";
}
