#include "model/CMolFrame.h"

#include "model/ResidueNameTable.h"

#include <algorithm>
#include <cmath>

CMolFrame::CMolFrame(int count)
    : atoms(static_cast<std::size_t>(std::max(count, 0))), atomCount(std::max(count, 0)),
      atomShown(static_cast<std::size_t>(std::max(count, 0)), 1) {}

void CMolFrame::ShrinkTo(int count) {
    if (count < 0 || count >= atomCount)
        return;
    atoms.resize(static_cast<std::size_t>(count));
    atomShown.resize(static_cast<std::size_t>(count));
    atomCount = count;
}

void CMolFrame::CopyFrom(const CMolFrame& other) {
    if (this == &other)
        return;
    atoms = other.atoms;
    atomCount = other.atomCount;
    residueCount = other.residueCount;
    centre = other.centre;
    hasNonFinitePosition = other.hasNonFinitePosition;
    selectedResidues = other.selectedResidues;
    atomShown = other.atomShown;
    residueAtoms = other.residueAtoms;
    residueLabels = other.residueLabels;
    residueIds = other.residueIds;
    secondary = other.secondary;
    assignedSecondary = other.assignedSecondary;
    fileSecondary = other.fileSecondary;
    chainOrdinal = other.chainOrdinal;
    chainFraction = other.chainFraction;
    bFactorLow = other.bFactorLow;
    bFactorHigh = other.bFactorHigh;
    anglesComputed = other.anglesComputed;
    phiAngles = other.phiAngles;
    psiAngles = other.psiAngles;
    backboneAtoms = other.backboneAtoms;
    angleResidues = other.angleResidues;
    anglesAcrossBreaks = other.anglesAcrossBreaks;
    serialToIndex_ = other.serialToIndex_;
    serialsDirty_ = true;
    DropJobResults();
}

void CMolFrame::DropJobResults() {
    modes.clear();
    energy = NormalMode::kNotPrinted;
    convergence = StepConvergence();
}

void CMolFrame::SetResidueName(int a, const std::string& name) {
    Atom(a).residueNameId = ResidueNameTable::instance().Id(name);
}

void CMolFrame::SetBonds(int a, const int* partners, int count) {
    MolAtom& atom = Atom(a);
    count = std::clamp(count, 0, MolAtom::kMaxBonds);
    std::copy(partners, partners + count, atom.bonded);
    atom.bondCount = count;
}

void CMolFrame::SetSerial(int serial, int a) {
    serialToIndex_[serial] = a;
    serialsDirty_ = true;
}

int CMolFrame::IndexOfSerial(int serial) const {
    auto it = serialToIndex_.find(serial);
    return it != serialToIndex_.end() ? it->second : -1;
}

int CMolFrame::SerialOfAtom(int a) const {
    if (a < 0 || a >= atomCount)
        return -1;
    if (serialsDirty_ || serialOfAtom_.size() != atoms.size()) {
        // The first serial in ascending order that names the atom wins, as a
        // search through the serial table would find it.
        serialOfAtom_.assign(atoms.size(), -1);
        for (const auto& [serial, index] : serialToIndex_) {
            if (index >= 0 && index < atomCount && serialOfAtom_[index] == -1)
                serialOfAtom_[index] = serial;
        }
        serialsDirty_ = false;
    }
    return serialOfAtom_[static_cast<std::size_t>(a)];
}

// Mode 0 shows the selected residues only, 1 hides them, 2 shows everything;
// any other value v sets every atom to v, and v is nonzero there: shown.
int CMolFrame::ApplyResidueSelection(int mode) {
    unsigned char selectedValue;
    unsigned char otherValue;
    switch (mode) {
    case 0:
        selectedValue = 1;
        otherValue = 0;
        break;
    case 1:
        selectedValue = 0;
        otherValue = 1;
        break;
    default: // 2, and any other (nonzero) value: everything shown
        selectedValue = otherValue = 1;
        break;
    }
    std::vector<int> selected = selectedResidues;
    std::sort(selected.begin(), selected.end());
    int shown = 0;
    for (int i = 0; i < atomCount; ++i) {
        const bool isSelected =
            std::binary_search(selected.begin(), selected.end(), Atom(i).residueIndex);
        atomShown[static_cast<std::size_t>(i)] = isSelected ? selectedValue : otherValue;
        shown += atomShown[static_cast<std::size_t>(i)];
    }
    return shown;
}

void CMolFrame::ComputeCentre() {
    // Atoms whose coordinates are not finite take no part.
    bool any = false;
    hasNonFinitePosition = false;
    Point3D lo, hi;
    for (const MolAtom& atom : atoms) {
        if (!std::isfinite(atom.x) || !std::isfinite(atom.y) || !std::isfinite(atom.z)) {
            hasNonFinitePosition = true;
            continue;
        }
        if (!any) {
            lo = hi = {atom.x, atom.y, atom.z};
            any = true;
        }
        lo.x = std::min(lo.x, atom.x);
        lo.y = std::min(lo.y, atom.y);
        lo.z = std::min(lo.z, atom.z);
        hi.x = std::max(hi.x, atom.x);
        hi.y = std::max(hi.y, atom.y);
        hi.z = std::max(hi.z, atom.z);
    }
    if (any)
        centre = {(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2};
}
