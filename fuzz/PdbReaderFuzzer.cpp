// Any bytes as a PDB file, read with and without CONECT records and in both
// bond modes; then the residue and backbone operations and every writer on
// the result.

#include "formats/CPDBData.h"
#include "formats/NoMoleculeReason.h"
#include "formats/PdbOptions.h"
#include "fuzz/FuzzInput.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    for (const PdbOptions options : {PdbOptions{0, 0}, PdbOptions{0, 1}, PdbOptions{1, 1}}) {
        StdioFile* file = input.Open();
        if (file == nullptr)
            return 0;
        CPDBData mol(file, &options);
        if (NoMoleculeReasonOf(mol) != NoMoleculeReason::kNone)
            continue;
        CMolFrame& frame = *mol.GetFrame(0);
        std::size_t inResidues = 0;
        for (const auto& entry : frame.residueAtoms)
            inResidues += entry.second.size();
        if (inResidues != static_cast<std::size_t>(mol.atomCount) ||
            frame.residueCount != static_cast<int>(frame.residueLabels.size()))
            std::abort();
        for (int a = 0; a < mol.atomCount; ++a) {
            for (int k = 0; k < 3; ++k) {
                if (!std::isfinite(mol.GetAtomCoord(0, a, k)))
                    std::abort();
            }
            for (int k = 0; k < mol.GetBondCount(0, a) && k < MolAtom::kMaxBonds; ++k) {
                const int b = mol.GetBondedAtom(0, a, k);
                if (b < 0 || b >= mol.atomCount)
                    std::abort();
            }
            if (mol.GetAtomDescription(0, a) == nullptr)
                std::abort();
        }
        mol.ComputeBackboneAngles(0);
        for (const auto& [k, atom] : *mol.GetBackboneAtoms(0)) {
            if (atom < 0 || atom >= mol.atomCount)
                std::abort();
        }
        mol.SetSelectedResidues({0, frame.residueCount - 1}, 0);
        for (int mode = 0; mode < 3; ++mode)
            mol.ApplyResidueSelection(mode, 0);
        WriteEverything(mol);
    }
    return 0;
}
