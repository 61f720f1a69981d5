#include "tests/support/IdealBackbone.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kNCa = 1.458, kCaC = 1.525, kCN = 1.329, kCO = 1.231;       // Å
constexpr double kNCaC = 111.2, kCaCN = 116.2, kCNCa = 121.7, kCaCO = 120.5; // degrees

double Radians(double degrees) {
    return degrees * M_PI / 180.0;
}

Point3D Unit(const Point3D& v) {
    return Scaled(v, 1.0 / Length(v));
}

// The atom bonded to c at the given length, angle b-c-atom and dihedral
// a-b-c-atom.
Point3D Place(const Point3D& a, const Point3D& b, const Point3D& c, double bond, double angle,
              double dihedral) {
    const Point3D bc = Unit(Minus(c, b));
    const Point3D n = Unit(Cross(Minus(b, a), bc));
    const Point3D m = Cross(n, bc);
    const double t = Radians(angle), d = Radians(dihedral);
    return Plus(c, Plus(Scaled(bc, -bond * std::cos(t)),
                        Plus(Scaled(m, bond * std::sin(t) * std::cos(d)),
                             Scaled(n, bond * std::sin(t) * std::sin(d)))));
}

} // namespace

std::vector<BackboneResidue> IdealBackbone(const std::vector<std::pair<double, double>>& phiPsi) {
    std::vector<BackboneResidue> chain;
    double psiBefore = 0.0;
    for (const auto& [phi, psi] : phiPsi) {
        BackboneResidue r;
        if (chain.empty()) {
            r.n = {0.0, 0.0, 0.0};
            r.ca = {kNCa, 0.0, 0.0};
            const double t = Radians(kNCaC);
            r.c = Plus(r.ca, {-kCaC * std::cos(t), kCaC * std::sin(t), 0.0});
        } else {
            const BackboneResidue& p = chain.back();
            r.n = Place(p.n, p.ca, p.c, kCN, kCaCN, psiBefore);
            r.ca = Place(p.ca, p.c, r.n, kNCa, kCNCa, 180.0);
            r.c = Place(p.c, r.n, r.ca, kCaC, kNCaC, phi);
        }
        const Point3D next = Place(r.n, r.ca, r.c, kCN, kCaCN, psi);
        r.o = Place(next, r.ca, r.c, kCO, kCaCO, 180.0);
        chain.push_back(r);
        psiBefore = psi;
    }
    return chain;
}

std::vector<BackboneResidue> HalfTurn(const std::vector<BackboneResidue>& residues,
                                      const Point3D& point, const Point3D& axis) {
    const auto turn = [&](const Point3D& v) {
        const Point3D w = Minus(v, point);
        return Minus(Plus(point, Scaled(axis, 2.0 * Dot(w, axis))), w);
    };
    std::vector<BackboneResidue> turned;
    for (const BackboneResidue& r : residues)
        turned.push_back({turn(r.n), turn(r.ca), turn(r.c), turn(r.o)});
    return turned;
}

std::string BackbonePdb(const std::vector<BackboneChain>& chains) {
    std::string text = "HEADER    IDEAL BACKBONE\n";
    char line[100];
    int serial = 0;
    for (const BackboneChain& chain : chains) {
        int number = chain.firstNumber;
        for (const BackboneResidue& r : chain.residues) {
            const std::pair<const char*, const Point3D*> atoms[] = {
                {" N  ", &r.n}, {" CA ", &r.ca}, {" C  ", &r.c}, {" O  ", &r.o}};
            const auto write = [&](const char* name, const Point3D& at) {
                std::snprintf(line, sizeof line,
                              "ATOM  %5d %s %3s %c%4d    %8.3f%8.3f%8.3f  1.00%6.2f           %c\n",
                              ++serial % 100000, name, chain.residueName.c_str(), chain.id,
                              number % 10000, at.x, at.y, at.z, chain.bFactor, name[1]);
                text += line;
            };
            for (const auto& [name, at] : atoms)
                write(name, *at);
            const Point3D out = Unit(Plus(Unit(Minus(r.ca, r.n)), Unit(Minus(r.ca, r.c))));
            const char* const side[] = {" CB ", " CG ", " CD ", " OE1"};
            for (int k = 0; k < std::min(chain.sideChainAtoms, 4); ++k)
                write(side[k], Plus(r.ca, Scaled(out, 1.53 * (k + 1))));
            ++number;
        }
        text += "TER\n";
    }
    return text + "END\n";
}

std::string IdealProteinPdb(int atomCount) {
    const std::vector<BackboneResidue> helix =
        IdealBackbone(std::vector<std::pair<double, double>>(40, {-57.8, -47.0}));
    const std::vector<BackboneResidue> strand =
        IdealBackbone(std::vector<std::pair<double, double>>(10, {-139.0, 135.0}));
    // The strand's partner: turned half a turn about an axis square to the
    // sheet 2.7 Å out from the CA of residue 4, as a sheet pairs them.
    const Point3D run =
        Scaled(Minus(strand[9].ca, strand[0].ca), 1.0 / Length(Minus(strand[9].ca, strand[0].ca)));
    const Point3D co = Minus(strand[4].o, strand[4].c);
    Point3D across = Minus(co, Scaled(run, Dot(co, run)));
    across = Scaled(across, 1.0 / Length(across));
    const std::vector<BackboneResidue> partner =
        HalfTurn(strand, Plus(strand[4].ca, Scaled(across, 2.7)), Cross(run, across));
    const int residues = std::max(1, atomCount / 8);
    const int side = static_cast<int>(std::ceil(std::sqrt(residues / 40.0)));
    std::vector<BackboneChain> chains;
    int placed = 0;
    const auto moved = [](std::vector<BackboneResidue> copy, const Point3D& by) {
        for (BackboneResidue& r : copy) {
            for (Point3D* p : {&r.n, &r.ca, &r.c, &r.o})
                *p = Plus(*p, by);
        }
        return copy;
    };
    for (int k = 0; placed < residues; ++k) {
        const Point3D at = {10.0 * (k % side), 10.0 * (k / side), 0.0};
        const char id = static_cast<char>('A' + chains.size() % 26);
        if (k % side == 0 && (k / side) % 4 == 3) {
            chains.push_back({id, moved(strand, {0.0, at.y, -30.0})});
            chains.push_back(
                {static_cast<char>('A' + chains.size() % 26), moved(partner, {0.0, at.y, -30.0})});
            placed += 20;
        }
        chains.push_back({static_cast<char>('A' + chains.size() % 26), moved(helix, at)});
        placed += 40;
    }
    return BackbonePdb(chains);
}
