// PDB writers: the full 80-column layout of Save As and the 54-column layout
// of plain Save. Only ATOM records of shown atoms; nothing else.
//
// Decided here:
// - Serials are atom index + 1 (hidden atoms leave gaps); residues are
//   renumbered from 1; more than 99999 residues print "*****".
// - A four-character hydrogen name is written with its last character first
//   (HG21 as 1HG2), the inverse of the reader's digit rule.
// - A name or residue name longer than its field widens the line.
// - Each line is built whole before it is written; numbers are printed the
//   same under every locale.

#include "formats/PdbWriter.h"

#include "formats/FixedFormat.h"
#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "platform/StdioFile.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void AppendCoordinates(std::string& line, const Point3D& p) {
    AppendFixed(line, p.x, 8, 3);
    AppendFixed(line, p.y, 8, 3);
    AppendFixed(line, p.z, 8, 3);
}

// Everything from the coordinates to the end of a full-layout line.
void AppendFullTail(std::string& line, const Point3D& p, const char* symbol) {
    AppendCoordinates(line, p);
    line += "  1.00  0.00          ";
    char text[8];
    std::snprintf(text, sizeof text, "%2s  \n", symbol);
    line += text;
}

// The atom-name field: 3 - w blanks, then name left-justified in w + 3.
void AppendName(std::string& line, const std::string& name, int w) {
    line.append(static_cast<std::size_t>(3 - w), ' ');
    line += name;
    if (name.size() < static_cast<std::size_t>(w + 3))
        line.append(static_cast<std::size_t>(w + 3) - name.size(), ' ');
}

void AppendRight(std::string& line, const std::string& text, std::size_t width) {
    if (text.size() < width)
        line.append(width - text.size(), ' ');
    line += text;
}

} // namespace

bool writePdb(CMolData& mol, StdioFile* file) {
    const int g = mol.GetCurrentFrame();
    const bool fromPdb = mol.sourceKind == CMolData::kSourcePdb;
    std::string line;
    char number[16];
    for (int a = 0; a < mol.atomCount; ++a) {
        if (!mol.IsAtomShown(g, a))
            continue;
        const int element = mol.GetElement(g, a);
        const char* symbol = ElementTable::Symbol(element);
        int w = static_cast<int>(std::strlen(symbol));
        Point3D p;
        mol.GetAtomPos(g, a, &p);
        if (fromPdb) {
            std::string name = mol.GetLabel(g, a);
            // A four-character hydrogen name starts with its digit, one
            // column further left: HG21 is written 1HG2.
            if (element == 1 && name.size() == 4) {
                name = name.substr(3) + name.substr(0, 3);
                w = 2;
            }
            const int residue = mol.GetResidueIndex(g, a) + 1;
            std::snprintf(number, sizeof number, "%7d", a + 1);
            line.assign("ATOM").append(number);
            AppendName(line, name, w);
            AppendRight(line, mol.GetResidueName(g, a), 3);
            AppendRight(line, residue > 99999 ? "*****" : std::to_string(residue), 6);
        } else {
            std::snprintf(number, sizeof number, "%5d", a + 1);
            line.assign("ATOM  ").append(number);
            AppendName(line, symbol, w);
            line += "RES     1";
        }
        line += "    ";
        AppendFullTail(line, p, symbol);
        if (!file->WriteString(line))
            return false;
    }
    return true;
}

bool writePdbShort(CMolData& mol, StdioFile* file) {
    std::string line;
    for (int a = 0; a < mol.atomCount; ++a) {
        if (!mol.IsAtomShown(0, a))
            continue;
        Point3D p;
        mol.GetAtomPos(0, a, &p);
        // Integers and text only: no locale enters this part of the line.
        // Residue names are words of a line read 79 characters at a time.
        char text[160];
        std::snprintf(text, sizeof text, "ATOM  %5d  %-4s%-3s%6d    ", a + 1, mol.GetLabel(0, a),
                      mol.GetResidueName(0, a).c_str(), mol.GetResidueIndex(0, a) + 1);
        line.assign(text);
        AppendCoordinates(line, p);
        line += '\n';
        if (!file->WriteString(line))
            return false;
    }
    return true;
}
