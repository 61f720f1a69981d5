#include "tests/support/TestMolData.h"

#include "io/StdioFile.h"
#include "model/ElementTable.h"
#include "model/ReadLine.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace {

bool IsSeparator(const char* line) {
    return std::strcmp(line, "--") == 0;
}

TestAtom ParseAtom(const char* line) {
    TestAtom atom;
    std::istringstream in(line);
    in >> atom.symbol >> atom.x >> atom.y >> atom.z >> atom.residue >> atom.residueName;
    return atom;
}

} // namespace

TestMolData::TestMolData(StdioFile* in, bool perceive, int bondMode, const KindFields& copyKind)
    : copyKind_(copyKind) {
    sourceKind = SourceKind::kPdb;
    gaussianFileType = GaussianFileType::kPdb;
    vibrationState = kVibrationNone;
    inputGeometryType = kGeometryCartesian;
    Scan(in);
    AllocateFrames(frameCount, {});
    ReadGeometries(in);
    DropEmptyFrames();
    if (perceive)
        PerceiveBonds(bondMode);
    ComputeCentres();
}

TestMolData::TestMolData(const std::vector<TestAtom>& atoms, const KindFields& copyKind)
    : copyKind_(copyKind) {
    frameCount = 1;
    atomCount = static_cast<int>(atoms.size());
    AllocateFrames(1, {});
    for (int a = 0; a < atomCount; ++a)
        FillTestAtom(Frame(0), a, atoms[static_cast<std::size_t>(a)]);
    ComputeCentres();
}

TestMolData::TestMolData(const KindFields& copyKind) : copyKind_(copyKind) {}

void TestMolData::Scan(StdioFile* file) {
    char line[256];
    bool atGeometryStart = true;
    while (true) {
        const std::int64_t position = file->GetPosition();
        if (ReadLine(line, sizeof line, file) == nullptr)
            break;
        if (IsSeparator(line)) {
            atGeometryStart = true;
            continue;
        }
        if (atGeometryStart) {
            framePositions.push_back(position);
            ++frameCount;
            atGeometryStart = false;
        }
        if (frameCount == 1)
            ++atomCount;
    }
}

void TestMolData::ReadGeometries(StdioFile* file) {
    char line[256];
    for (int g = 0; g < frameCount; ++g) {
        file->Seek(framePositions[static_cast<std::size_t>(g)]);
        for (int a = 0; a < atomCount; ++a) {
            if (ReadLine(line, sizeof line, file) == nullptr || IsSeparator(line))
                break;
            FillTestAtom(Frame(g), a, ParseAtom(line));
        }
    }
}

void FillTestAtom(CMolFrame& frame, int a, const TestAtom& atom) {
    MolAtom& record = frame.Atom(a);
    record.x = atom.x;
    record.y = atom.y;
    record.z = atom.z;
    record.element = ElementTable::NumberOfSymbol(atom.symbol);
    record.SetLabel(atom.symbol.c_str());
    record.residueIndex = atom.residue;
    frame.SetResidueName(a, atom.residueName);
    frame.ResidueAtomList(atom.residue).push_back(a);
    frame.residueCount = std::max(frame.residueCount, atom.residue + 1);
}

std::unique_ptr<CMolFrame> MakeTestFrame(const std::vector<TestAtom>& atoms) {
    auto frame = std::make_unique<CMolFrame>(static_cast<int>(atoms.size()));
    for (int a = 0; a < frame->atomCount; ++a)
        FillTestAtom(*frame, a, atoms[static_cast<std::size_t>(a)]);
    return frame;
}
