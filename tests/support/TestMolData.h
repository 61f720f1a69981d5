#pragma once

#include "model/CMolData.h"

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

// A small concrete model for testing what every reader shares.
//
// From a file it reads a tiny text format through the common load order:
// one atom a line, "SYMBOL x y z [residue [name]]", geometries separated by
// a line "--"; the atom count comes from the first geometry.
class TestMolData : public CMolData {
public:
    TestMolData(StdioFile* in, bool perceive, int bondMode, const KindFields& copyKind = kPdbCopy);
    // One geometry from atoms in memory, no bonds.
    explicit TestMolData(const std::vector<TestAtom>& atoms, const KindFields& copyKind = kPdbCopy);
    // An empty model, to be assigned to.
    explicit TestMolData(const KindFields& copyKind = kPdbCopy);

    CMolData& Assign(const CMolData& other) override { return AssignAs(other, copyKind_); }
    void Scan() override;
    int ReadGeometries() override;
    const char* GetAtomDescription(int g, int a) override { return GetLabel(g, a); }
    void SetSelectedResidues(const std::vector<int>& residues, int g) override {
        GetFrame(g)->selectedResidues = residues;
    }
    void AddResidueLabel(int residue, std::string label, int g) override {
        GetFrame(g)->residueLabels[residue] = std::move(label);
    }
    int ApplyResidueSelection(int mode, int g) override {
        return GetFrame(g)->ApplyResidueSelection(mode);
    }
    bool ComputeBackboneAngles(int) override { return false; }
    void WriteRamachandranData(StdioFile*) override {}

    std::vector<std::string> calls; // operations in the order they ran

private:
    KindFields copyKind_;
};
