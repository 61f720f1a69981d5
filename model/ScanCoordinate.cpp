#include "model/ScanCoordinate.h"

#include "model/CMolData.h"
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

double ScanCoordinate::ValueIn(const CMolData& model, int g) const {
    for (const int a : atoms) {
        if (!model.HasAtom(g, a))
            return std::nan("");
    }
    switch (kind) {
    case Kind::kDistance:
        return atoms.size() == 2 ? model.GetDistance(g, atoms[0], atoms[1]) : std::nan("");
    case Kind::kAngle:
        return atoms.size() == 3 ? model.GetAngle(g, atoms[0], atoms[1], atoms[2]) : std::nan("");
    case Kind::kDihedral:
        return atoms.size() == 4 ? model.GetDihedral(g, atoms[0], atoms[1], atoms[2], atoms[3])
                                 : std::nan("");
    }
    return std::nan("");
}

const char* ScanCoordinate::Unit() const {
    return kind == Kind::kDistance ? "angstrom" : "degree";
}
