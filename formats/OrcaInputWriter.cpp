#include "formats/OrcaInputWriter.h"

#include "formats/FixedFormat.h"
#include "formats/ShownAtoms.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "model/TextScanner.h"
#include "model/Wavefunction.h"

#include <cmath>

namespace {

// The charge and multiplicity the model knows of, else a neutral molecule's
// lowest.
std::pair<int, int> ChargeAndMultiplicity(const CMolData& mol, int g,
                                          const ResidueVisibility* shown) {
    if (mol.results.multiplicity > 0)
        return {mol.results.charge, mol.results.multiplicity};
    if (mol.wavefunction != nullptr && mol.wavefunction->multiplicity > 0)
        return {mol.wavefunction->charge, mol.wavefunction->multiplicity};
    int electrons = 0;
    ForEachShownAtom(mol, g, shown, [&](int a, const Point3D&) {
        electrons += mol.GetElement(g, a);
        return true;
    });
    return {0, electrons % 2 == 0 ? 1 : 2};
}

} // namespace

bool WriteOrcaInput(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                    std::string* refusal) {
    const int g = what.frame;
    std::string keywords(TextScanner::Trim(what.jobKeywords));
    if (keywords.empty())
        keywords = kDefaultOrcaKeywords;
    if (keywords.front() != '!')
        keywords = "! " + keywords;
    std::string why;
    if (keywords.find_first_of("\r\n") != std::string::npos)
        why = "the keyword line holds a line break";
    else
        why = CoordinatesThatDoNotFit(mol, g, what.shown, 16, 8);
    if (!why.empty()) {
        if (refusal != nullptr)
            *refusal = why;
        return false;
    }
    const auto [charge, multiplicity] = ChargeAndMultiplicity(mol, g, what.shown);
    const std::string header = keywords + "\n\n* xyz " + std::to_string(charge) + " " +
                               std::to_string(multiplicity) + "\n";
    if (!file->WriteString(header))
        return false;
    std::string line;
    const bool written = ForEachShownAtom(mol, g, what.shown, [&](int a, const Point3D& p) {
        // ORCA takes symbols as chemists write them; a dummy atom is "DA".
        const int element = mol.GetElement(g, a);
        line = element > 0 && element != ElementTable::kLonePair
                   ? ElementTable::ChemistsSymbol(element)
                   : std::string("DA");
        line.resize(4, ' ');
        AppendFixed(line, p.x, 16, 8);
        AppendFixed(line, p.y, 16, 8);
        AppendFixed(line, p.z, 16, 8);
        line += '\n';
        return file->WriteString(line);
    });
    return written && file->WriteString("*\n");
}
