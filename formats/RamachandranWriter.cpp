// Ramachandran plot data: phi and psi of each analysed residue, one line of
// 21 characters each ("%10.5f %10.5f"); 200.00000 marks an undefined angle.
// Lines are built whole before they are written, numbers printed the same
// under every locale.

#include "formats/RamachandranWriter.h"

#include "formats/FixedFormat.h"
#include "io/StdioFile.h"
#include "model/BackboneAngles.h"
#include "model/CMolData.h"

#include <algorithm>
#include <string>

bool WriteRamachandranLines(const CMolData& mol, int g, StdioFile* file) {
    if (mol.frameCount == 0)
        return true;
    g = std::clamp(g, 0, mol.frameCount - 1);
    const std::map<int, double>& phi = mol.GetPhiAngles(g);
    const std::map<int, double>& psi = mol.GetPsiAngles(g);
    std::string line;
    for (const auto& [k, value] : phi) {
        const auto partner = psi.find(k);
        line.clear();
        AppendFixed(line, value, 10, 5);
        line += ' ';
        AppendFixed(line, partner != psi.end() ? partner->second : 0.0, 10, 5);
        line += '\n';
        if (!file->WriteString(line))
            return false;
    }
    return true;
}

bool WriteRamachandranData(const CMolData& mol, int g, StdioFile* file) {
    if (mol.frameCount == 0)
        return true;
    g = std::clamp(g, 0, mol.frameCount - 1);
    ComputeBackboneAngles(mol, g);
    return WriteRamachandranLines(mol, g, file);
}
