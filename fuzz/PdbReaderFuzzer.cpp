// Any bytes as a PDB file, read with and without CONECT records and in both
// bond modes; then the residue and backbone operations and every writer on
// the result.

#include "formats/CPDBData.h"
#include "formats/NoMoleculeReason.h"
#include "formats/PdbOptions.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    for (const PdbOptions options : {PdbOptions{0, 0}, PdbOptions{0, 1}, PdbOptions{1, 1}}) {
        StdioFile* file = input.Open();
        if (file == nullptr)
            return 0;
        CPDBData mol(file, &options);
        if (NoMoleculeReasonOf(mol) != NoMoleculeReason::kNone)
            continue;
        CheckPdbModel(mol);
    }
    return 0;
}
