#include "model/CMolData.h"

#include "model/BondLimits.h"
#include "model/BondPerception.h"
#include "model/ResidueColourTable.h"
#include "model/ResidueNameTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

CMolData::~CMolData() = default;

CMolData::CMolData(const CMolData& other)
    : frameCount(other.frameCount), atomCount(other.atomCount),
      firstShownFrame(other.firstShownFrame), bondsFromFile(other.bondsFromFile),
      sourceKind(other.sourceKind), gaussianFileType(other.gaussianFileType),
      gaussianVersion(other.gaussianVersion), vibrationState(other.vibrationState),
      inputGeometryType(other.inputGeometryType), vibrationPosition(other.vibrationPosition),
      skippedLines(other.skippedLines), fileModels(other.fileModels),
      secondaryRecords(other.secondaryRecords), formatProblem(other.formatProblem),
      onlyFractionalCoordinates(other.onlyFractionalCoordinates), termination(other.termination),
      zMatrixProblem(other.zMatrixProblem), framePositions(other.framePositions),
      volumes(other.volumes), wavefunction(other.wavefunction),
      wavefunctionProblem(other.wavefunctionProblem), modesProblem(other.modesProblem),
      results(other.results), path(other.path) {
    // The copy's names are its own: what a reader adds to it later stays in it.
    if (other.residueNames_ != nullptr)
        residueNames_ = std::make_shared<ResidueNameTable>(*other.residueNames_);
    frames_.reserve(other.frames_.size());
    for (const auto& frame : other.frames_) {
        frames_.push_back(std::make_unique<CMolFrame>(*frame));
        frames_.back()->residueNames = residueNames_;
    }
}

CMolData& CMolData::operator=(const CMolData& other) {
    if (this != &other)
        *this = CMolData(other);
    return *this;
}

int CMolData::AtomCount(int g) const {
    return g >= 0 && g < static_cast<int>(frames_.size())
               ? frames_[static_cast<std::size_t>(g)]->atomCount
               : 0;
}

CMolFrame& CMolData::Frame(int g) {
    if (g >= 0 && g < static_cast<int>(frames_.size()))
        return *frames_[static_cast<std::size_t>(g)];
    noFrame_ = CMolFrame(0); // whatever a caller wrote there before is gone
    return noFrame_;
}

const CMolFrame& CMolData::Frame(int g) const {
    // Not noFrame_: a write through the non-const overload may have left
    // something there.
    static const CMolFrame blank(0);
    return g >= 0 && g < static_cast<int>(frames_.size()) ? *frames_[static_cast<std::size_t>(g)]
                                                          : blank;
}

MolAtom& CMolData::Atom(int g, int a) {
    CMolFrame& frame = Frame(g);
    if (a >= 0 && a < frame.atomCount)
        return frame.Atom(a);
    noAtom_ = MolAtom();
    return noAtom_;
}

const MolAtom& CMolData::Atom(int g, int a) const {
    static const MolAtom blank;
    const CMolFrame& frame = Frame(g);
    return a >= 0 && a < frame.atomCount ? frame.Atom(a) : blank;
}

Point3D CMolData::GetAtomPos(int g, int a) const {
    const MolAtom& atom = Atom(g, a);
    return {atom.x, atom.y, atom.z};
}

MolAtom* CMolData::SetAtomPosXYZ(int g, int a, double x, double y, double z) {
    MolAtom& atom = Atom(g, a);
    atom.x = x;
    atom.y = y;
    atom.z = z;
    return &atom;
}

double CMolData::GetAtomCoord(int g, int a, int k) const {
    const MolAtom& atom = Atom(g, a);
    switch (k) {
    case 0:
        return atom.x;
    case 1:
        return atom.y;
    case 2:
        return atom.z;
    case 3:
        return atom.dx;
    case 4:
        return atom.dy;
    case 5:
        return atom.dz;
    default:
        return 0.0;
    }
}

int CMolData::PerceiveBonds(int mode) {
    if (mode != 0 && mode != 1)
        return 0;
    const BondLimits& limits = BondLimits::instance();
    for (auto& frame : frames_)
        PerceiveFrameBonds(*frame, mode, limits);
    return 1;
}

double CMolData::GetDistance(int g, int a, int b) const {
    const MolAtom& p = Atom(g, a);
    if (b < 0)
        return std::sqrt(p.dx * p.dx + p.dy * p.dy + p.dz * p.dz);
    const MolAtom& q = Atom(g, b);
    return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) +
                     (p.z - q.z) * (p.z - q.z));
}

double CMolData::GetAngle(int g, int a, int b, int c) const {
    return Frame(g).graph.Angle(GetAtomPos(g, a), GetAtomPos(g, b), GetAtomPos(g, c));
}

double CMolData::GetDihedral(int g, int a, int b, int c, int d) const {
    return Frame(g).graph.Dihedral(GetAtomPos(g, a), GetAtomPos(g, b), GetAtomPos(g, c),
                                   GetAtomPos(g, d));
}

Point3D CMolData::GetBondAxis(int g, int a, int b) const {
    const MolAtom& p = Atom(g, a);
    Point3D v;
    if (b < 0) {
        v = {p.dx, p.dy, p.dz};
    } else {
        const MolAtom& q = Atom(g, b);
        v = {q.x - p.x, q.y - p.y, q.z - p.z};
    }
    return HalfTurnAxis(v);
}

Point3D HalfTurnAxis(const Point3D& v) {
    return {v.x / 2, v.y / 2, (v.z + Length(v)) / 2};
}

int CMolData::GetBondedAtom(int g, int a, int k) const {
    const MolAtom& atom = Atom(g, a);
    return k >= 0 && k < atom.bondCount && k < MolAtom::kMaxBonds ? atom.bonded[k] : -1;
}

bool CMolData::HasSteps() const {
    return termination != Termination::kNotAnOutput || sourceKind == SourceKind::kXyz;
}

std::string CMolData::GetAtomDescription(int g, int a) const {
    const MolAtom& atom = Atom(g, a);
    if (sourceKind != SourceKind::kPdb)
        return atom.label;
    char serial[16];
    std::snprintf(serial, sizeof serial, "%d ", Frame(g).SerialOfAtom(a));
    return serial + std::string(atom.label) + " " + Frame(g).ResidueName(a) +
           std::to_string(atom.residueIndex + 1);
}

const std::string& CMolData::GetResidueName(int g, int a) const {
    return Frame(g).ResidueName(a);
}

std::array<double, 3> CMolData::GetResidueColour(const std::string& name) const {
    std::array<double, 3> rgb{};
    ResidueColourTable::ToRgb(ResidueColourTable::instance().Value(name), rgb.data());
    return rgb;
}

void CMolData::AddResidueLabel(int residue, std::string label, int g) {
    Frame(g).residueLabels[residue] = std::move(label);
}

CMolData& CMolData::Assign(const CMolData& other, const KindFields& kind) {
    if (this == &other)
        return *this;
    *this = other;
    for (auto& frame : frames_)
        frame->DropJobResults();
    vibrationPosition = 0;
    formatProblem.clear();
    onlyFractionalCoordinates = false;
    termination = Termination::kNotAnOutput;
    zMatrixProblem = {};
    volumes.clear();
    wavefunction.reset();
    wavefunctionProblem.clear();
    results = JobResults();
    path = ReactionPath();
    sourceKind = kind.sourceKind;
    gaussianFileType = kind.gaussianFileType;
    gaussianVersion = kind.gaussianVersion;
    vibrationState = kind.vibrationState;
    inputGeometryType = kind.inputGeometryType;
    return *this;
}

void CMolData::AllocateFrames(int count, const std::vector<int>& rows) {
    frameCount = std::max(count, 0);
    frames_.clear();
    frames_.reserve(static_cast<std::size_t>(frameCount));
    residueNames_ = std::make_shared<ResidueNameTable>();
    for (int g = 0; g < frameCount; ++g) {
        const std::size_t k = static_cast<std::size_t>(g);
        frames_.push_back(std::make_unique<CMolFrame>(k < rows.size() ? rows[k] : atomCount));
        frames_.back()->residueNames = residueNames_;
    }
    firstShownFrame = frameCount - 1;
}

void CMolData::AppendFrame(std::unique_ptr<CMolFrame> frame) {
    AdoptResidueNames(*frame);
    frames_.push_back(std::move(frame));
}

void CMolData::AdoptResidueNames(CMolFrame& frame) {
    if (frame.residueNames == residueNames_)
        return;
    if (residueNames_ == nullptr) {
        // Every geometry so far names amino acids at most, whose ids are
        // the same in any table.
        residueNames_ = frame.residueNames;
        for (auto& other : frames_)
            other->residueNames = residueNames_;
        return;
    }
    if (frame.residueNames != nullptr) {
        for (MolAtom& atom : frame.atoms)
            atom.residueNameId = residueNames_->Id(frame.residueNames->Name(atom.residueNameId));
    }
    frame.residueNames = residueNames_;
}

void CMolData::KeepFrames(int count) {
    if (count < 0 || count >= static_cast<int>(frames_.size()))
        return;
    frames_.resize(static_cast<std::size_t>(count));
    framePositions.resize(std::min(framePositions.size(), frames_.size()));
    frameCount = count;
    firstShownFrame = std::min(firstShownFrame, count - 1);
}

void CMolData::KeepOnlyFrame(int g) {
    if (g < 0 || g >= static_cast<int>(frames_.size()))
        return;
    std::unique_ptr<CMolFrame> kept = std::move(frames_[static_cast<std::size_t>(g)]);
    frames_.clear();
    frames_.push_back(std::move(kept));
    if (static_cast<std::size_t>(g) < framePositions.size())
        framePositions = {framePositions[static_cast<std::size_t>(g)]};
    else
        framePositions.clear();
    frameCount = 1;
    atomCount = frames_.front()->atomCount;
    firstShownFrame = 0;
}

void CMolData::DropEmptyFrames() {
    std::size_t kept = 0;
    for (std::size_t g = 0; g < frames_.size(); ++g) {
        if (frames_[g]->atomCount <= 0)
            continue;
        if (kept != g) {
            frames_[kept] = std::move(frames_[g]);
            if (g < framePositions.size() && kept < framePositions.size())
                framePositions[kept] = framePositions[g];
        }
        ++kept;
    }
    frames_.resize(kept);
    framePositions.resize(std::min(framePositions.size(), kept));
    frameCount = static_cast<int>(kept);
    atomCount = 0;
    for (const auto& frame : frames_)
        atomCount = std::max(atomCount, frame->atomCount);
    firstShownFrame = frameCount - 1;
}

void CMolData::ComputeCentres() {
    for (auto& frame : frames_)
        frame->ComputeCentre();
}

std::vector<int> CMolData::ResultElements() const {
    const int g = frameCount - 1;
    std::vector<int> elements;
    elements.reserve(static_cast<std::size_t>(std::max(AtomCount(g), 0)));
    for (int a = 0; a < AtomCount(g); ++a)
        elements.push_back(GetElement(g, a));
    return elements;
}
