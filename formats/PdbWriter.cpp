// PDB writers: the full 80-column layout of Save As and the 54-column layout
// of plain Save. Only ATOM records of shown atoms; nothing else.
//
// Decided here:
// - Serials are atom index + 1 (hidden atoms leave gaps); residues are
//   renumbered from 1; more than 99999 residues print "*****".
// - Every model's serial runs through columns 5-11 ("ATOM" and seven
//   places), so a model of 100,000 atoms or more keeps its other fields in
//   their columns; a serial too long even for that, or a residue number too
//   long for its field, prints as asterisks (the reader skips them).
// - A four-character hydrogen name whose last character is a digit is
//   written with that digit first (HG21 as 1HG2), the inverse of the
//   reader's digit rule; "HA A" (a name and an alternate location) is not.
// - A name or residue name longer than its field widens the line.
// - Nothing is written when a shown atom's coordinate does not fit the
//   8 columns of its field (or is not finite).
// - Each line is built whole before it is written; numbers are printed the
//   same under every locale.

#include "formats/PdbWriter.h"

#include "formats/FixedFormat.h"
#include "formats/ShownAtoms.h"
#include "formats/WrittenGeometry.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "model/ElementTable.h"

#include <cctype>
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
    // The element belongs in columns 77-78, where readers take it from: a
    // field that outgrew its columns further left (a residue name of four
    // letters) is taken up by the blanks before it.
    while (line.size() > 76 && line.back() == ' ')
        line.pop_back();
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

// A whole number right-justified in width columns, or asterisks when it has
// more digits than that.
std::string NumberField(int value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() > width)
        return std::string(width, '*');
    return std::string(width - text.size(), ' ') + text;
}

bool Refuse(const std::string& why, std::string* refusal) {
    if (refusal != nullptr)
        *refusal = why;
    return false;
}

} // namespace

bool writePdb(const CMolData& mol, const WrittenGeometry& what, StdioFile* file,
              std::string* refusal) {
    const int g = what.frame;
    const std::string why = CoordinatesThatDoNotFit(mol, g, what.shown, 8, 3);
    if (!why.empty())
        return Refuse(why, refusal);
    const bool fromPdb = mol.sourceKind == CMolData::SourceKind::kPdb;
    std::string line;
    return ForEachShownAtom(mol, g, what.shown, [&](int a, const Point3D& p) {
        const int element = mol.GetElement(g, a);
        const char* symbol = ElementTable::Symbol(element);
        int w = static_cast<int>(std::strlen(symbol));
        if (fromPdb) {
            std::string name(mol.GetLabel(g, a));
            // A four-character hydrogen name ending in a digit starts with
            // that digit, one column further left: HG21 is written 1HG2.
            if (element == 1 && name.size() == 4 &&
                std::isdigit(static_cast<unsigned char>(name[3]))) {
                name = name.substr(3) + name.substr(0, 3);
                w = 2;
            }
            const int residue = mol.GetResidueIndex(g, a) + 1;
            line.assign("ATOM").append(NumberField(a + 1, 7));
            AppendName(line, name, w);
            AppendRight(line, mol.GetResidueName(g, a), 3);
            AppendRight(line, residue > 99999 ? "*****" : std::to_string(residue), 6);
        } else {
            line.assign("ATOM").append(NumberField(a + 1, 7));
            AppendName(line, symbol, w);
            line += "RES     1";
        }
        line += "    ";
        AppendFullTail(line, p, symbol);
        return file->WriteString(line);
    });
}

bool writePdbShort(const CMolData& mol, StdioFile* file, std::string* refusal,
                   const ResidueVisibility* shown) {
    const std::string why = CoordinatesThatDoNotFit(mol, 0, shown, 8, 3);
    if (!why.empty())
        return Refuse(why, refusal);
    std::string line;
    return ForEachShownAtom(mol, 0, shown, [&](int a, const Point3D& p) {
        // Integers and text only: no locale enters this part of the line.
        // Residue names are words of a line read 79 characters at a time.
        char text[160];
        std::snprintf(text, sizeof text, "  %-4s%-3s", mol.Atom(0, a).label,
                      mol.GetResidueName(0, a).c_str());
        line.assign("ATOM  ").append(NumberField(a + 1, 5)).append(text);
        line.append(NumberField(mol.GetResidueIndex(0, a) + 1, 6)).append("    ");
        AppendCoordinates(line, p);
        line += '\n';
        return file->WriteString(line);
    });
}
