#pragma once

#include "model/CMolData.h"

class StdioFile;

#include <memory>
#include <string>
#include <vector>

// An atom of a hand-made test molecule.
struct TestAtom {
    std::string symbol;
    double x = 0.0, y = 0.0, z = 0.0;
    int residue = 0;
    std::string residueName = "ALA";
};

// Stores a test atom as atom a of frame: position, element, label, residue.
void FillTestAtom(CMolFrame& frame, int a, const TestAtom& atom);
// One geometry of the given atoms, no bonds.
std::unique_ptr<CMolFrame> MakeTestFrame(const std::vector<TestAtom>& atoms);

// A model built for a test. Held as a CMolData by value (CMolData has no
// virtual destructor): copy it into one, as `CMolData(TestMolData(...))`.
//
// From a file it reads a tiny text format: one atom a line, "SYMBOL x y z
// [residue [name]]", geometries separated by a line "--"; the atom count
// comes from the first geometry. It is built the way the readers build
// theirs: counted, made, read, the empty geometries dropped, bonds perceived
// (when asked), centres.
class TestMolData : public CMolData {
public:
    TestMolData(StdioFile* in, bool perceive, int bondMode, const KindFields& copyKind = kPdbCopy);
    // One geometry from atoms in memory, no bonds.
    explicit TestMolData(const std::vector<TestAtom>& atoms, const KindFields& copyKind = kPdbCopy);
    // An empty model, to be assigned to.
    explicit TestMolData(const KindFields& copyKind = kPdbCopy);

    // A copy of other described with this model's copy kind.
    void Assign(const CMolData& other) { CMolData::Assign(other, copyKind_); }

private:
    void Scan(StdioFile* file);
    void ReadGeometries(StdioFile* file);

    KindFields copyKind_;
};
