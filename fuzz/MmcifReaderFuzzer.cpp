// Any bytes as a PDBx/mmCIF file (gzip data too: the file object inflates
// it), read with the file's links and with perceived bonds in both modes;
// then the checks of every PDB-like model.

#include "formats/CMmcifData.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    CheckEveryReading<CMmcifData>(input);
    return 0;
}
