#include "model/CMolData.h"

#include "io/StdioFile.h"
#include "model/BondLimits.h"
#include "model/BondPerception.h"
#include "model/ResidueColourTable.h"
#include "model/ResidueNameTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>

CMolData::~CMolData() = default;

int CMolData::AtomCount(int g) const {
    return g >= 0 && g < static_cast<int>(frames.size())
               ? frames[static_cast<std::size_t>(g)]->atomCount
               : 0;
}

CMolFrame& CMolData::Frame(int g) {
    if (g >= 0 && g < static_cast<int>(frames.size()))
        return *frames[static_cast<std::size_t>(g)];
    noFrame_ = CMolFrame(0); // whatever a caller wrote there before is gone
    return noFrame_;
}

const CMolFrame& CMolData::Frame(int g) const {
    return g >= 0 && g < static_cast<int>(frames.size()) ? *frames[static_cast<std::size_t>(g)]
                                                         : noFrame_;
}

MolAtom& CMolData::Atom(int g, int a) {
    CMolFrame& frame = Frame(g);
    if (a >= 0 && a < frame.atomCount)
        return frame.Atom(a);
    noAtom_ = MolAtom();
    return noAtom_;
}

CMolFrame* CMolData::GetFrame(int g) {
    return &Frame(g);
}

void CMolData::SetAtomPos(int g, int a, const Point3D* p) {
    SetAtomPosXYZ(g, a, p->x, p->y, p->z);
}

MolAtom* CMolData::SetAtomPosXYZ(int g, int a, double x, double y, double z) {
    MolAtom& atom = Atom(g, a);
    atom.x = x;
    atom.y = y;
    atom.z = z;
    return &atom;
}

void CMolData::GetAtomPos(int g, int a, Point3D* out) {
    *out = Frame(g).Position(a);
}

double CMolData::GetAtomCoord(int g, int a, int k) {
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
    for (auto& frame : frames)
        PerceiveFrameBonds(*frame, mode, limits);
    return 1;
}

double CMolData::GetDistance(int g, int a, int b) {
    const MolAtom& p = Atom(g, a);
    if (b < 0)
        return std::sqrt(p.dx * p.dx + p.dy * p.dy + p.dz * p.dz);
    const MolAtom& q = Atom(g, b);
    return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y) +
                     (p.z - q.z) * (p.z - q.z));
}

double CMolData::GetAngle(int g, int a, int b, int c) {
    CMolFrame& f = Frame(g);
    return f.graph.Angle(f.Position(a), f.Position(b), f.Position(c));
}

double CMolData::GetDihedral(int g, int a, int b, int c, int d) {
    CMolFrame& f = Frame(g);
    return f.graph.Dihedral(f.Position(a), f.Position(b), f.Position(c), f.Position(d));
}

// The axis about which a half turn takes +z onto the direction a→b (or onto
// a's displacement when b < 0): the bisector of +z and that direction.
Point3D* CMolData::GetBondAxis(int g, int a, int b, Point3D* out) {
    const MolAtom& p = Atom(g, a);
    Point3D v;
    if (b < 0) {
        v = {p.dx, p.dy, p.dz};
    } else {
        const MolAtom& q = Atom(g, b);
        v = {q.x - p.x, q.y - p.y, q.z - p.z};
    }
    *out = HalfTurnAxis(v);
    return out;
}

Point3D HalfTurnAxis(const Point3D& v) {
    return {v.x / 2, v.y / 2, (v.z + Length(v)) / 2};
}

int CMolData::GetBondedAtom(int g, int a, int k) {
    const MolAtom& atom = Atom(g, a);
    return k >= 0 && k < atom.bondCount && k < MolAtom::kMaxBonds ? atom.bonded[k] : -1;
}

int CMolData::GetBondCount(int g, int a) {
    return Atom(g, a).bondCount;
}

void CMolData::SetCurrentFrame(int n) {
    currentFrame = n;
}

int CMolData::GetCurrentFrame() {
    return currentFrame;
}

void CMolData::SetElement(int g, int a, int element) {
    Atom(g, a).element = element;
}

int CMolData::GetElement(int g, int a) {
    return Atom(g, a).element;
}

char* CMolData::GetLabel(int g, int a) {
    return Atom(g, a).label;
}

Point3D* CMolData::GetCentre(int g, Point3D* out) {
    *out = Frame(g).centre;
    return out;
}

bool CMolData::IsAtomShown(int g, int a) {
    return Frame(g).IsAtomShown(a);
}

const std::string& CMolData::GetResidueName(int g, int a) {
    return ResidueNameTable::instance().Name(Atom(g, a).residueNameId);
}

int CMolData::GetResidueIndex(int g, int a) {
    return Atom(g, a).residueIndex;
}

const double* CMolData::GetResidueColour(int /*g*/, const std::string& name) {
    ResidueColourTable::ToRgb(ResidueColourTable::instance().Value(name), colourBuffer_);
    return colourBuffer_;
}

std::vector<int>* CMolData::GetSelectedResidues(int g) {
    return &Frame(g).selectedResidues;
}

std::map<int, std::string>* CMolData::GetResidueLabels(int g) {
    return &Frame(g).residueLabels;
}

std::map<int, double>* CMolData::GetPhiAngles(int g) {
    return &Frame(g).phiAngles;
}

std::map<int, double>* CMolData::GetPsiAngles(int g) {
    return &Frame(g).psiAngles;
}

std::map<int, int>* CMolData::GetBackboneAtoms(int g) {
    return &Frame(g).backboneAtoms;
}

void CMolData::CopyFrom(const CMolData& other) {
    if (this == &other)
        return;
    sourceKind = other.sourceKind;
    gaussianFileType = other.gaussianFileType;
    gaussianVersion = other.gaussianVersion;
    vibrationState = other.vibrationState;
    inputGeometryType = other.inputGeometryType;
    reserved = other.reserved;
    frameCount = static_cast<int>(other.frames.size());
    atomCount = other.atomCount;
    skippedLines = other.skippedLines;
    fileModels = other.fileModels;
    frames.clear();
    for (const auto& frame : other.frames) {
        frames.push_back(std::make_unique<CMolFrame>(0));
        frames.back()->CopyFrom(*frame);
    }
    framePositions = other.framePositions;
    framePositions.resize(static_cast<std::size_t>(frameCount), 0);
    currentFrame = other.currentFrame;
    bondsFromFile = other.bondsFromFile;
}

CMolData& CMolData::AssignAs(const CMolData& other, const KindFields& kind) {
    CopyFrom(other);
    sourceKind = kind.sourceKind;
    gaussianFileType = kind.gaussianFileType;
    gaussianVersion = kind.gaussianVersion;
    vibrationState = kind.vibrationState;
    inputGeometryType = kind.inputGeometryType;
    return *this;
}

void CMolData::Load(StdioFile* in, bool perceive, int bondMode) {
    file = in;
    skippedLines = 0;
    frameRows.clear();
    Scan();
    AllocateFrames();
    ReadGeometries();
    DropEmptyFrames();
    if (perceive)
        PerceiveBonds(bondMode);
    ComputeCentres();
    file = nullptr;
}

void CMolData::AllocateFrames() {
    frames.clear();
    frames.reserve(static_cast<std::size_t>(std::max(frameCount, 0)));
    for (int g = 0; g < frameCount; ++g) {
        const std::size_t k = static_cast<std::size_t>(g);
        frames.push_back(
            std::make_unique<CMolFrame>(k < frameRows.size() ? frameRows[k] : atomCount));
    }
    currentFrame = frameCount - 1;
}

void CMolData::DropEmptyFrames() {
    std::size_t kept = 0;
    for (std::size_t g = 0; g < frames.size(); ++g) {
        if (frames[g]->atomCount <= 0)
            continue;
        if (kept != g) {
            frames[kept] = std::move(frames[g]);
            if (g < framePositions.size() && kept < framePositions.size())
                framePositions[kept] = framePositions[g];
        }
        ++kept;
    }
    frames.resize(kept);
    framePositions.resize(std::min(framePositions.size(), kept));
    frameCount = static_cast<int>(kept);
    atomCount = 0;
    for (const auto& frame : frames)
        atomCount = std::max(atomCount, frame->atomCount);
    currentFrame = frameCount - 1;
}

void CMolData::ComputeCentres() {
    for (auto& frame : frames)
        frame->ComputeCentre();
}

namespace {

// First CR or LF among n bytes, or nullptr. memchr is far faster than a loop
// over single characters, and lines are short.
const char* FindLineEnd(const char* p, std::size_t n) {
    const char* lf = static_cast<const char*>(std::memchr(p, '\n', n));
    const char* cr = static_cast<const char*>(std::memchr(p, '\r', lf != nullptr ? lf - p : n));
    return cr != nullptr ? cr : lf;
}

} // namespace

char* CMolData::ReadLine(char* buffer, int size, StdioFile* in) {
    if (size <= 0)
        return nullptr;
    const std::size_t room = static_cast<std::size_t>(size) - 1;
    std::size_t stored = 0;
    bool readAnything = false;
    while (stored < room) {
        std::size_t available = 0;
        const char* bytes = in->Peek(available);
        if (available == 0)
            break; // end of file
        readAnything = true;
        const std::size_t span = std::min(available, room - stored);
        const char* end = FindLineEnd(bytes, span);
        const std::size_t n = end != nullptr ? static_cast<std::size_t>(end - bytes) : span;
        std::memcpy(buffer + stored, bytes, n);
        stored += n;
        in->Advance(n);
        if (end == nullptr)
            continue;
        // A line end: one CR or LF of the other kind directly after it is
        // part of it; anything else is left for the next call.
        const int c = in->GetChar();
        const int next = in->GetChar();
        const int partner = c == '\r' ? '\n' : '\r';
        if (next != EOF && next != partner)
            in->UngetChar();
        break;
    }
    buffer[stored] = '\0';
    return readAnything ? buffer : nullptr;
}
