// Any bytes as an XYZ file: every geometry read holds atoms with finite
// coordinates and bonds within the geometry; written and read again, the
// trajectory keeps its geometries, atoms and elements.

#include "formats/XyzReader.h"
#include "formats/XyzWriter.h"
#include "fuzz/FuzzInput.h"
#include "model/CMolData.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    StdioFile* file = input.Open();
    if (file == nullptr)
        return 0;
    const std::unique_ptr<CMolData> read = ReadXyz(file);
    CMolData& mol = *read;
    if (mol.frameCount > 0 && mol.firstShownFrame != mol.frameCount - 1)
        std::abort();
    for (int g = 0; g < mol.frameCount; ++g) {
        const int atoms = mol.AtomCount(g);
        if (atoms <= 0 || atoms > mol.atomCount)
            std::abort();
        for (int a = 0; a < atoms; ++a) {
            for (int k = 0; k < 3; ++k) {
                if (!std::isfinite(mol.GetAtomCoord(g, a, k)))
                    std::abort();
            }
            for (int k = 0; k < mol.GetBondCount(g, a); ++k) {
                const int b = mol.GetBondedAtom(g, a, k);
                if (b < 0 || b >= atoms)
                    std::abort();
            }
        }
    }
    WriteEverything(mol, mol.firstShownFrame);
    // The trajectory written and read again.
    const std::string path = ScratchPath(".xyz");
    StdioFile out;
    const bool written = out.Open(path, StdioFile::modeWrite) && WriteXyz(mol, &out);
    if (out.Close() && written) {
        StdioFile in;
        if (!in.Open(path, StdioFile::modeRead))
            std::abort();
        const std::unique_ptr<CMolData> readAgain = ReadXyz(&in);
        const CMolData& again = *readAgain;
        if (again.frameCount != mol.frameCount)
            std::abort();
        for (int g = 0; g < mol.frameCount; ++g) {
            if (again.AtomCount(g) != mol.AtomCount(g))
                std::abort();
            for (int a = 0; a < mol.AtomCount(g); ++a) {
                if (again.GetElement(g, a) != mol.GetElement(g, a) && mol.GetElement(g, a) != 0)
                    std::abort();
            }
        }
    }
    std::remove(path.c_str());
    return 0;
}
