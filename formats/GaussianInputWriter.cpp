// Gaussian input writer: a ready-made optimisation job of the geometry on
// screen.
//
// Decided here:
// - The checkpoint name is the file's path cut at its last "." (a "." in a
//   folder name counts when the file name has none), of any length.
// - Element symbols up to krypton are written in capitals as the element
//   table holds them (CL, DU for dummy atoms, LP for lone pairs), as files
//   written before expect; heavier elements as chemists write them (Pt, Ru),
//   the spelling every Gaussian input reader takes.
// - Each line is built whole before it is written; numbers are printed the
//   same under every locale ("-0.000000" for a small negative value).
// - Nothing is written when a shown atom's coordinate does not fit its 12
//   columns (or is not finite), or when the path holds a line break.

#include "formats/GaussianInputWriter.h"

#include "formats/FixedFormat.h"
#include "formats/ShownAtoms.h"
#include "formats/WrittenGeometry.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "model/ElementTable.h"

#include <cstdio>

std::string CheckpointName(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot == 0)
        return path;
    return path.substr(0, dot);
}

bool WriteGaussianInput(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
                        const std::string& checkpointPath, std::string* refusal) {
    const int g = what.frame;
    std::string why;
    if (checkpointPath.find_first_of("\r\n") != std::string::npos)
        why = "the file name holds a line break";
    else
        why = CoordinatesThatDoNotFit(mol, g, what.shown, 12, 6);
    if (!why.empty()) {
        if (refusal != nullptr)
            *refusal = why;
        return false;
    }
    const std::string header = "%Chk=" + CheckpointName(checkpointPath) +
                               "\n"
                               "#P HF/STO-3G Opt(ModRedun) GFInput NoSymm IOp(6/7=3)\n"
                               "\n"
                               "Comment:\n"
                               "\n"
                               "0 1\n";
    if (!file->WriteString(header))
        return false;
    std::string line;
    const bool written = ForEachShownAtom(mol, g, what.shown, [&](int a, const Point3D& p) {
        const int element = mol.GetElement(g, a);
        const std::string name = element > ElementTable::kLonePair
                                     ? ElementTable::ChemistsSymbol(element)
                                     : std::string(ElementTable::Symbol(element));
        char symbol[24];
        std::snprintf(symbol, sizeof symbol, "%4s", name.c_str());
        line.assign(symbol).append("    ");
        AppendFixed(line, p.x, 12, 6);
        line += ' ';
        AppendFixed(line, p.y, 12, 6);
        line += ' ';
        AppendFixed(line, p.z, 12, 6);
        line += '\n';
        return file->WriteString(line);
    });
    return written && file->WriteString("\n");
}
