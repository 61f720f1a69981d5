// Ramachandran plot data: phi and psi of each analysed residue, one line of
// 21 characters each ("%10.5f %10.5f"); 200.00000 marks an undefined angle.
// Lines are built whole before they are written, numbers printed the same
// under every locale.

#include "formats/RamachandranWriter.h"

#include "formats/FixedFormat.h"
#include "io/StdioFile.h"
#include "model/BackboneAngles.h"
#include "model/CMolData.h"

#include <string>

bool WriteRamachandranLines(const CMolData& mol, StdioFile* file) {
    if (mol.frameCount == 0)
        return true;
    const std::map<int, double>& phi = mol.GetPhiAngles(0);
    const std::map<int, double>& psi = mol.GetPsiAngles(0);
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

bool WriteRamachandranData(CMolData& mol, StdioFile* file) {
    if (mol.frameCount == 0)
        return true;
    ComputeBackboneAngles(mol, 0);
    return WriteRamachandranLines(mol, file);
}
