// Any bytes as a Gaussian output or input file (sections, several jobs,
// Z-matrices and their variables): the reader must neither crash nor read or
// write out of bounds, what it builds must hold together (every atom read
// from a row or placed from a Z-matrix: finite coordinates and a label), and
// every writer must take it.

#include "formats/CGauData.h"
#include "formats/NoMoleculeReason.h"
#include "formats/PdbOptions.h"
#include "fuzz/FuzzInput.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    StdioFile* file = input.Open();
    if (file == nullptr)
        return 0;
    const std::unique_ptr<CMolData> read = CGauData::Read(file, PdbOptions{});
    CMolData& mol = *read;
    // A Z-matrix that gives no coordinates names a line of the file and
    // leaves no geometry behind.
    if (mol.zMatrixProblem.kind != ZMatrixProblem::Kind::kNone &&
        (mol.zMatrixProblem.line < 1 || static_cast<std::size_t>(mol.zMatrixProblem.line) > size ||
         mol.frameCount != 0 || DescribeZMatrixProblem(mol.zMatrixProblem).empty()))
        std::abort();
    if (NoMoleculeReasonOf(mol) != NoMoleculeReason::kNone)
        return 0;
    if (mol.firstShownFrame != mol.frameCount - 1)
        std::abort();
    double sum = 0.0;
    for (int g = 0; g < mol.frameCount; ++g) {
        const int atoms = mol.AtomCount(g);
        if (atoms <= 0 || atoms > mol.atomCount)
            std::abort();
        for (int a = 0; a < atoms; ++a) {
            sum += mol.GetDistance(g, a, -1) + mol.GetElement(g, a);
            for (int k = 0; k < 3; ++k) {
                if (!std::isfinite(mol.GetAtomCoord(g, a, k)))
                    std::abort();
            }
            if (mol.GetLabel(g, a).empty())
                std::abort();
            for (int k = 0; k < mol.GetBondCount(g, a); ++k) {
                const int b = mol.GetBondedAtom(g, a, k);
                if (b < 0 || b >= atoms)
                    std::abort();
            }
            if (mol.GetAtomDescription(g, a).empty())
                std::abort();
        }
    }
    WriteEverything(mol, mol.firstShownFrame);
    WriteEverything(mol, 0);
    return sum > 0.0 ? 0 : 0;
}
