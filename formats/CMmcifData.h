#pragma once

#include "formats/PdbModelBuilder.h"
#include "model/CMolData.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class StdioFile;
struct PdbOptions;

// The reader of PDBx/mmCIF files: the atom_site loop read with gemmi's CIF
// grammar into the model a PDB file of the same structure gives (residues as
// there), one geometry per model number when all models hold the same atoms.
class CMmcifData {
public:
    // Reads the open file into a model. options as for PDB files; with
    // CONECT records asked for, the bonds are the disulfide and covalent
    // links of struct_conn.
    static std::unique_ptr<CMolData> Read(StdioFile* in, const PdbOptions& options);
    ~CMmcifData();

    // How the file is parsed, from Scan to ReadGeometries.
    struct Parse;

private:
    CMmcifData(StdioFile* in, CMolData& model);
    void ReadAll(const PdbOptions& options);
    using AtomFields = PdbModelBuilder::AtomFields;
    using ReadState = PdbModelBuilder::ReadState;
    void Scan(std::vector<int>& frameRows);
    void ReadGeometries();

    CMolData& model_;
    PdbModelBuilder builder_;
    StdioFile* file; // the file being read
    std::unique_ptr<Parse> parse_;
    // Atom indices of the first model by chain, number, insertion code, name
    // and alternate location (and once more without the alternate location),
    // for the atoms that links name (-1 until found).
    using AtomKeys = std::unordered_map<std::string, int>;
    void ReadLinks(const AtomKeys& atoms);
};
