#include "formats/XyzWriter.h"

#include "formats/FixedFormat.h"
#include "formats/ShownAtoms.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "model/ElementTable.h"

#include <algorithm>
#include <cmath>

namespace {

// Wide enough for any coordinate a structure file holds: values that are
// not finite, or beyond 24 columns, are refused.
constexpr int kWidth = 24;
constexpr int kDecimals = 6;

} // namespace

bool WriteXyz(const CMolData& mol, StdioFile* file, std::string* refusal,
              const ResidueVisibility* shown) {
    for (int g = 0; g < mol.frameCount; ++g) {
        const std::string why = CoordinatesThatDoNotFit(mol, g, shown, kWidth, kDecimals);
        if (!why.empty()) {
            if (refusal != nullptr)
                *refusal = why;
            return false;
        }
    }
    std::string line;
    for (int g = 0; g < mol.frameCount; ++g) {
        int count = 0;
        ForEachShownAtom(mol, g, shown, [&count](int, const Point3D&) { return ++count > 0; });
        line = std::to_string(count) + "\ngeometry " + std::to_string(g + 1) + " of " +
               std::to_string(mol.frameCount);
        const double energy = mol.GetFrame(g)->energy;
        if (std::isfinite(energy)) {
            line += ", energy ";
            AppendFixed(line, energy, 1, 8);
            line += " hartree";
        }
        line += '\n';
        if (!file->WriteString(line))
            return false;
        const bool written = ForEachShownAtom(mol, g, shown, [&](int a, const Point3D& p) {
            line = ElementTable::ChemistsSymbol(mol.GetElement(g, a));
            line.resize(std::max<std::size_t>(line.size(), 2), ' ');
            for (const double v : {p.x, p.y, p.z}) {
                line += ' ';
                AppendFixed(line, v, 14, kDecimals);
            }
            line += '\n';
            return file->WriteString(line);
        });
        if (!written)
            return false;
    }
    return true;
}
