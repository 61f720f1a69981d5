#include "model/CMolFrame.h"

#include "model/ResidueNameTable.h"

#include <algorithm>
#include <cmath>

CMolFrame::CMolFrame(int count)
    : atoms(static_cast<std::size_t>(std::max(count, 0))), atomCount(std::max(count, 0)) {}

void CMolFrame::ShrinkTo(int count) {
    if (count < 0 || count >= atomCount)
        return;
    atoms.resize(static_cast<std::size_t>(count));
    atomCount = count;
}

void CMolFrame::CopyFrom(const CMolFrame& other) {
    if (this == &other)
        return;
    atoms = other.atoms;
    residueNames = other.residueNames;
    atomCount = other.atomCount;
    residueCount = other.residueCount;
    centre = other.centre;
    hasNonFinitePosition = other.hasNonFinitePosition;
    residueAtoms = other.residueAtoms;
    residueLabels = other.residueLabels;
    residueIds = other.residueIds;
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
    Atom(a).residueNameId = ResidueNameId(name);
}

int CMolFrame::ResidueNameId(const std::string& name) {
    if (residueNames == nullptr)
        residueNames = std::make_shared<ResidueNameTable>();
    return residueNames->Id(name);
}

const std::string& CMolFrame::ResidueName(int a) const {
    const int id = a >= 0 && a < atomCount ? Atom(a).residueNameId : 0;
    return (residueNames != nullptr ? *residueNames : ResidueNameTable::AminoAcids()).Name(id);
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

void CMolFrame::TakeModes(std::vector<NormalMode> taken) {
    modes = std::move(taken);
    if (modes.empty())
        return;
    const std::vector<Point3D>& first = modes.front().displacements;
    for (int a = 0; a < atomCount && static_cast<std::size_t>(a) < first.size(); ++a) {
        MolAtom& atom = Atom(a);
        atom.dx = first[static_cast<std::size_t>(a)].x;
        atom.dy = first[static_cast<std::size_t>(a)].y;
        atom.dz = first[static_cast<std::size_t>(a)].z;
    }
}
