#pragma once

#include "formats/CPDBData.h"

#include <memory>
#include <string>
#include <unordered_map>

// The molecule model of a PDBx/mmCIF file: the atom_site loop read with
// gemmi's CIF grammar into the model a PDB file of the same structure gives
// (residues, residue selection, backbone angles and plot data as there), one
// geometry per model number when all models hold the same atoms.
class CMmcifData : public CPDBData {
public:
    // Reads the open file. options as for PDB files; with CONECT records
    // asked for, the bonds are the disulfide and covalent links of
    // struct_conn.
    CMmcifData(StdioFile* in, const PdbOptions* options);
    ~CMmcifData() override;

    void Scan() override;
    int ReadGeometries() override;

    // How the file is parsed, from Scan to ReadGeometries.
    struct Parse;

private:
    std::unique_ptr<Parse> parse_;
    // Atom indices of the first model by chain, number, insertion code, name
    // and alternate location (and once more without the alternate location),
    // for the atoms that links name (-1 until found).
    using AtomKeys = std::unordered_map<std::string, int>;
    void ReadLinks(const AtomKeys& atoms);
};
