#pragma once

#include "formats/NoMoleculeReason.h"
#include "formats/PdbOptions.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "model/ResidueVisibility.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// The readers read from a file by name, so each input is written to one
// scratch file of this process first.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size);
    ~FuzzInput();
    FuzzInput(const FuzzInput&) = delete;
    FuzzInput& operator=(const FuzzInput&) = delete;

    // The input, opened for reading from its start; null if it could not be
    // written.
    StdioFile* Open();

private:
    std::string path_;
    StdioFile file_;
    bool written_ = false;
};

// A scratch file name of this process, in memory where the system has a
// folder for it; suffix tells files of one input apart.
std::string ScratchPath(const std::string& suffix);

// Runs every writer on mol into a file that discards what it gets.
void WriteEverything(const CMolData& mol, int g, const ResidueVisibility* shown = nullptr);

// The checks every PDB-like model must pass, for each geometry (residues
// hold every atom, coordinates are finite, bonds and backbone atoms name
// atoms of their geometry), then the residue operations and the writers;
// aborts on a fault.
void CheckPdbModel(CMolData& mol);

// Reads the input with Reader (a PDB-like model) with CONECT records or
// links and with perceived bonds in both modes, and checks each model that
// holds a molecule.
template <class Reader> void CheckEveryReading(FuzzInput& input) {
    for (const PdbOptions options : {PdbOptions{0, 0}, PdbOptions{0, 1}, PdbOptions{1, 1}}) {
        StdioFile* file = input.Open();
        if (file == nullptr)
            return;
        const std::unique_ptr<CMolData> mol = Reader::Read(file, options);
        if (NoMoleculeReasonOf(*mol) == NoMoleculeReason::kNone)
            CheckPdbModel(*mol);
    }
}
