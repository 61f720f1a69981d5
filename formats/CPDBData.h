#pragma once

#include "model/CMolData.h"

#include <string_view>

struct PdbOptions;

// The molecule model of a PDB file: one geometry with an atom for every ATOM
// and HETATM record, residues from residue name, number and insertion code,
// bonds from CONECT records or from distances. Residue selection, backbone
// angles and plot data work on this model.
class CPDBData : public CMolData {
public:
    // Reads the open file. options: CONECT records or distances for the
    // bonds, and the perception mode (defaults when null).
    CPDBData(StdioFile* in, const PdbOptions* options);
    // An empty model, to be assigned to.
    CPDBData() = default;

    CMolData& Assign(const CMolData& other) override { return AssignAs(other, kPdbCopy); }
    void Scan() override;
    int ReadGeometries() override;
    // "serial label residue-name residue-number", for example "17 CA ALA1".
    const char* GetAtomDescription(int g, int a) override;
    void SetSelectedResidues(const std::vector<int>& residues, int g) override;
    void AddResidueLabel(int residue, std::string label, int g) override;
    int ApplyResidueSelection(int mode, int g) override;
    bool ComputeBackboneAngles(int g) override;
    void WriteRamachandranData(StdioFile* out) override;

private:
    struct ReadState;
    // Stores the record as the next atom; false, storing nothing, when it
    // holds no coordinates.
    bool ReadAtomRecord(std::string_view line, ReadState& state);
    void ReadConectRecord(std::string_view line);
    // The record's coordinates; false when it holds none.
    static bool ReadCoordinates(std::string_view line, std::string_view numberWord, Point3D& at);
};
