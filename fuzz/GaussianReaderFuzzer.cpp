// Any bytes as a Gaussian output or input file: the reader must neither
// crash nor read or write out of bounds, what it builds must hold together,
// and every writer must take it.

#include "formats/CGauData.h"
#include "formats/NoMoleculeReason.h"
#include "fuzz/FuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    StdioFile* file = input.Open();
    if (file == nullptr)
        return 0;
    CGauData mol(file, nullptr);
    if (NoMoleculeReasonOf(mol) != NoMoleculeReason::kNone)
        return 0;
    if (mol.GetCurrentFrame() != mol.frameCount - 1)
        std::abort();
    double sum = 0.0;
    for (int g = 0; g < mol.frameCount; ++g) {
        for (int a = 0; a < mol.atomCount; ++a) {
            sum += mol.GetDistance(g, a, -1) + mol.GetElement(g, a);
            for (int k = 0; k < mol.GetBondCount(g, a); ++k) {
                const int b = mol.GetBondedAtom(g, a, k);
                if (b < 0 || b >= mol.atomCount)
                    std::abort();
            }
            if (mol.GetAtomDescription(g, a) == nullptr)
                std::abort();
        }
    }
    WriteEverything(mol);
    mol.SetCurrentFrame(0);
    WriteEverything(mol);
    return sum > 0.0 ? 0 : 0;
}
