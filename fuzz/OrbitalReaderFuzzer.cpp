// Any bytes as a cube file and as a formatted checkpoint file: a grid read
// holds exactly the values its points make; a wavefunction read has as many
// coefficients as its orbitals and basis need, shells on atoms that exist,
// and evaluates at a point without reading beyond what it holds.

#include "formats/CubeReader.h"
#include "formats/FchkReader.h"
#include "fuzz/FuzzInput.h"
#include "model/CMolData.h"
#include "model/VolumeEvaluator.h"
#include "model/VolumeGrid.h"
#include "model/Wavefunction.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    StdioFile* file = input.Open();
    if (file == nullptr)
        return 0;
    const std::unique_ptr<CMolData> readCube = ReadCube(file);
    const CMolData& cube = *readCube;
    for (const auto& volume : cube.volumes) {
        if (volume->values.size() != volume->Count() || volume->Count() == 0)
            std::abort();
    }
    if (!cube.volumes.empty() && cube.atomCount < 0)
        std::abort();

    file = input.Open();
    if (file == nullptr)
        return 0;
    const std::unique_ptr<CMolData> readFchk = ReadFchk(file);
    const CMolData& fchk = *readFchk;
    if (fchk.wavefunction != nullptr) {
        const Wavefunction& w = *fchk.wavefunction;
        const std::size_t n = static_cast<std::size_t>(w.basis.FunctionCount());
        for (const OrbitalSet* set : {&w.alpha, &w.beta}) {
            if (set->coefficients.size() != set->energies.size() * n)
                std::abort();
        }
        for (const BasisShell& shell : w.basis.Shells()) {
            if (shell.atom < 0 || shell.atom >= fchk.atomCount)
                std::abort();
        }
        std::vector<double> values(n);
        w.basis.Evaluate(Point3D{0.1, 0.2, 0.3}, values.data());
        // A few lines of a small grid, skewed (exponentials recurring along
        // each line) and axis-aligned (exponentials per axis point).
        for (bool skewed : {true, false}) {
            VolumeGrid grid;
            grid.points = {2, 2, 9};
            grid.origin = {-1.0, -1.0, -2.0};
            grid.axes = {Point3D{1.0, 0, 0}, Point3D{skewed ? 0.3 : 0.0, 1.0, 0},
                         Point3D{0, 0, 0.5}};
            VolumeRequest request;
            request.quantity =
                skewed ? VolumeRequest::Quantity::kOrbital : VolumeRequest::Quantity::kDensity;
            std::string why;
            if (EvaluateOnGrid(w, request, grid, nullptr, &why, 1) &&
                grid.values.size() != grid.Count())
                std::abort();
        }
        w.Homo(false);
        w.Lumo(true);
    }
    return 0;
}
