#include "tests/support/PairScanBonds.h"

#include "model/BondLimits.h"
#include "model/BondPerception.h"
#include "model/CMolFrame.h"

#include <algorithm>

void PairScanBonds(CMolFrame& frame, int mode, const BondLimits& limits) {
    if (mode != 0 && mode != 1)
        return;
    const int n = frame.atomCount;
    for (MolAtom& atom : frame.atoms)
        atom.bondCount = 0;
    for (int a = 0; a < n - 1; ++a) {
        int last = n - 1;
        if (mode == 1) {
            if (frame.residueCount <= 0)
                return;
            int r = std::min(frame.Atom(a).residueIndex + 1, frame.residueCount - 1);
            const auto it = frame.residueAtoms.find(r);
            last = it == frame.residueAtoms.end() || it->second.empty()
                       ? -1
                       : std::min(it->second.back(), n - 1);
        }
        MolAtom& p = frame.Atom(a);
        for (int b = a + 1; b <= last; ++b) {
            MolAtom& q = frame.Atom(b);
            const double d2 =
                (p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) + (p.z - q.z) * (p.z - q.z);
            if (!(d2 < limits.Squared(p.element, q.element)))
                continue;
            if (p.bondCount < MolAtom::kMaxBonds)
                p.bonded[p.bondCount++] = b;
            if (q.bondCount < MolAtom::kMaxBonds)
                q.bonded[q.bondCount++] = a;
        }
    }
    // The same last step as the perception: this scan checks the search for
    // pairs, not the pruning after it.
    DropChelateContacts(frame, limits);
}

const BondLimits& BuiltInBondLimits() {
    static const BondLimits limits = [] {
        BondLimits l;
        l.ApplyBuiltIn();
        return l;
    }();
    return limits;
}
