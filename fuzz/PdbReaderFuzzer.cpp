// Any bytes as a PDB file, read with and without CONECT records and in both
// bond modes; then the residue and backbone operations and every writer on
// the result.

#include "formats/CPDBData.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    CheckEveryReading<CPDBData>(input);
    return 0;
}
