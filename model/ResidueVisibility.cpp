#include "model/ResidueVisibility.h"

#include "model/CMolData.h"

#include <algorithm>

ResidueVisibility::ResidueVisibility(std::vector<int> selected, int mode)
    : selected_(std::move(selected)),
      mode_(mode == kShowSelected || mode == kHideSelected ? static_cast<Mode>(mode) : kShowAll) {
    std::sort(selected_.begin(), selected_.end());
    selected_.erase(std::unique(selected_.begin(), selected_.end()), selected_.end());
}

bool ResidueVisibility::ShowsResidue(int residue) const {
    if (mode_ == kShowAll)
        return true;
    const bool chosen = std::binary_search(selected_.begin(), selected_.end(), residue);
    return mode_ == kShowSelected ? chosen : !chosen;
}

bool ResidueVisibility::ShowsAtom(const CMolData& mol, int g, int a) const {
    if (!mol.HasAtom(g, a))
        return false;
    return mode_ == kShowAll || mol.GetFrame(g)->residueCount <= 0 ||
           ShowsResidue(mol.GetResidueIndex(g, a));
}

int ResidueVisibility::CountShown(const CMolData& mol, int g) const {
    int shown = 0;
    for (int a = 0; a < mol.AtomCount(g); ++a)
        shown += ShowsAtom(mol, g, a) ? 1 : 0;
    return shown;
}
