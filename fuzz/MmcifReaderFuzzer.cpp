// Any bytes as a PDBx/mmCIF file (gzip data too: the file object inflates
// it), read with the file's links and with perceived bonds in both modes;
// then the checks of every PDB-like model.

#include "formats/CMmcifData.h"
#include "formats/NoMoleculeReason.h"
#include "formats/PdbOptions.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    for (const PdbOptions options : {PdbOptions{0, 0}, PdbOptions{0, 1}, PdbOptions{1, 1}}) {
        StdioFile* file = input.Open();
        if (file == nullptr)
            return 0;
        CMmcifData mol(file, &options);
        if (NoMoleculeReasonOf(mol) == NoMoleculeReason::kNone)
            CheckPdbModel(mol);
    }
    return 0;
}
