#pragma once

#include "model/CMolData.h"
#include "model/ResidueVisibility.h"

// Calls visit(a, position) for each atom of geometry g that shown shows
// (every atom when it is null), in index order, the walk every writer
// makes. Stops and returns false as soon as visit returns false; true when
// every atom was visited.
template <class Visit>
bool ForEachShownAtom(const CMolData& mol, int g, const ResidueVisibility* shown, Visit visit) {
    const int atoms = mol.AtomCount(g);
    for (int a = 0; a < atoms; ++a) {
        if (shown != nullptr && !shown->ShowsAtom(mol, g, a))
            continue;
        Point3D p;
        p = mol.GetAtomPos(g, a);
        if (!visit(a, p))
            return false;
    }
    return true;
}
