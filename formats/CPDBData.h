#pragma once

#include "formats/PdbModelBuilder.h"
#include "model/CMolData.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class StdioFile;
struct PdbOptions;

// The reader of PDB files: fills a model with a geometry with an atom for
// every ATOM and HETATM record (one geometry per model of an ensemble whose
// models hold the same atoms), residues from chain, residue name, number and
// insertion code, bonds from CONECT records or from distances.
class CPDBData {
public:
    // Reads the open file into a model. options: CONECT records or
    // distances for the bonds, and the perception mode.
    static std::unique_ptr<CMolData> Read(StdioFile* in, const PdbOptions& options);

private:
    CPDBData(StdioFile* in, CMolData& model) : model_(model), builder_(model), file(in) {}
    void ReadAll(const PdbOptions& options);
    using AtomFields = PdbModelBuilder::AtomFields;
    using ReadState = PdbModelBuilder::ReadState;
    // The two passes: the atom records of each model, then the atoms.
    void Scan(std::vector<int>& frameRows);
    void ReadGeometries(const std::vector<int>& frameRows);
    // Stores the record as the next atom of geometry g; false, storing
    // nothing, when it holds no coordinates.
    bool ReadAtomRecord(std::string_view line, ReadState& state, int g);
    void ReadConectRecord(std::string_view line);
    // The record's coordinates; false when it holds none.
    static bool ReadCoordinates(std::string_view line, std::string_view numberWord, Point3D& at);

    CMolData& model_;
    PdbModelBuilder builder_;
    StdioFile* file; // the file being read
};
