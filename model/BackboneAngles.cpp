#include "model/BackboneAngles.h"

#include "model/CMolData.h"
#include "model/ResidueNameTable.h"
#include "model/SecondaryStructure.h"

#include <cstring>

bool ComputeBackboneAngles(const CMolData& mol, int g) {
    const CMolFrame& frame = mol.Frame(g);
    if (frame.anglesComputed)
        return !frame.phiAngles.empty();
    // Slots of the window's three residues; they keep the last index written
    // to them from one residue to the next.
    int n[3] = {}, ca[3] = {}, c[3] = {};
    int k = 0;
    for (int i = 1; i <= frame.residueCount - 2; ++i) {
        const auto centre = frame.residueAtoms.find(i);
        if (centre == frame.residueAtoms.end() || centre->second.empty() ||
            !ResidueNameTable::IsAminoAcid(frame.Atom(centre->second.front()).residueNameId))
            continue;
        int hits = 0;
        for (int p = 0; p < 3; ++p) {
            const auto residue = frame.residueAtoms.find(i - 1 + p);
            if (residue == frame.residueAtoms.end() || residue->second.empty())
                continue;
            for (int a = residue->second.front(); a <= residue->second.back(); ++a) {
                const char* label = frame.Atom(a).label;
                if (std::strcmp(label, "N") == 0) {
                    n[p] = a;
                    ++hits;
                } else if (std::strcmp(label, "CA") == 0) {
                    ca[p] = a;
                    ++hits;
                } else if (std::strcmp(label, "C") == 0) {
                    c[p] = a;
                    ++hits;
                }
            }
        }
        if (hits != 9)
            continue;
        frame.angleResidues[k] = i;
        const auto chainOf = [&frame](int r) {
            return r < static_cast<int>(frame.residueIds.size())
                       ? frame.residueIds[static_cast<std::size_t>(r)].chain
                       : std::string();
        };
        const auto bonded = [&frame](int carbon, int nitrogen) {
            return Length(Minus(frame.Position(nitrogen), frame.Position(carbon))) <=
                   SecondaryStructure::kMaxPeptideBond;
        };
        if (chainOf(i - 1) != chainOf(i) || chainOf(i + 1) != chainOf(i) || !bonded(c[0], n[1]) ||
            !bonded(c[1], n[2]))
            frame.anglesAcrossBreaks.insert(k);
        frame.phiAngles[k] = mol.GetDihedral(g, c[0], n[1], ca[1], c[1]);
        frame.psiAngles[k] = mol.GetDihedral(g, n[1], ca[1], c[1], n[2]);
        frame.backboneAtoms[3 * k] = n[0];
        frame.backboneAtoms[3 * k + 1] = ca[0];
        frame.backboneAtoms[3 * k + 2] = c[0];
        ++k;
    }
    if (k > 0) {
        for (int p = 1; p < 3; ++p) {
            frame.backboneAtoms[3 * (k + p - 1)] = n[p];
            frame.backboneAtoms[3 * (k + p - 1) + 1] = ca[p];
            frame.backboneAtoms[3 * (k + p - 1) + 2] = c[p];
        }
    }
    frame.anglesComputed = true;
    return k > 0;
}
