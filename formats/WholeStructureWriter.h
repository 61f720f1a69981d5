#pragma once

#include "formats/WrittenGeometry.h"

#include <string>
#include <vector>

class CMolData;
class StdioFile;

// Structures saved whole, through gemmi: chains, the author's residue
// numbers and insertion codes, ATOM and HETATM records, TER after each
// polymer, temperature factors, occupancies and alternate locations as
// read, the atoms numbered in order (TER records counted, as the PDB format
// counts them); every model of an ensemble (else the geometry given). A model without residues (a
// Gaussian job) is written as one residue UNL of chain A, its atoms named by their labels.
class WholeStructureWriter {
public:
    enum class Layout { kPdb, kMmcif };

    // The file's text for the atoms keep flags (all when null), or false
    // with why in refusal (no atom to write; a PDB file cannot hold more
    // than 99,999 atoms a model, nor a chain name longer than two
    // characters).
    static bool Text(const CMolData& mol, int frame, const std::vector<char>* keep, Layout layout,
                     const std::string& name, std::string& text, std::string* refusal);
    // The writers of the format table (see FileFormat::Writer).
    static bool WritePdb(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                         const std::string& path, std::string* refusal);
    static bool WriteMmcif(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                           const std::string& path, std::string* refusal);
};
