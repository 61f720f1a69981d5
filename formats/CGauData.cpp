// Gaussian files: geometry tables and the first normal mode of outputs, the
// Cartesian geometry of inputs. Two passes: Scan remembers byte offsets and
// counts the rows of every table, ReadGeometries seeks back and reads only
// the table rows.
//
// Where files are ambiguous, this reader decides:
// - Banners of Gaussian 94, 98, 03, 09 and 16 set the version; 09 and 16 rows
//   have six fields like 98 and 03. For a banner none of them matches, the
//   first row of the first table decides (six or five numbers).
// - The normal-mode header is recognised with one or two blanks after "Atom"
//   (09 and later print two).
// - Any number of geometry tables is read. Each geometry holds the rows of
//   its own table, so tables of different lengths (a Z-matrix orientation
//   with dummy centres, then a Link1 job's input orientation without them)
//   give geometries of different atom counts; no atom is made up for a row
//   a table does not have.
// - A table counts only once its closing ruler has been read: a file that
//   ends inside a table (a job still running) does not count that table, nor
//   does a table that another one interrupts. A table without rows (a bare
//   orientation header) is not a geometry.
// - A row that does not hold whole numbers and three finite coordinates
//   where its layout needs them (an atomic number beyond the integers, a
//   coordinate of 1.0e309) gives no atom; it is counted in skippedLines.
// - The first normal mode belongs to the geometry printed just before it
//   (after an optimisation: the frequency job's own geometry).
// - Atomic numbers without a row in the element table give element 0.
// - Input symbols are looked up in the whole element table, in any case; a
//   whole-number freeze code between symbol and coordinates is skipped. The
//   input geometry ends at the first empty line or line of blanks; a line
//   that is not a symbol and three coordinates gives no atom and is counted
//   in skippedLines.
// - An input that ends before its charge line holds no geometry.
// - Numbers are read without regard to the C library's locale.

#include "formats/CGauData.h"

#include "io/StdioFile.h"
#include "model/ElementTable.h"
#include "model/ResidueNameTable.h"
#include "model/TextScanner.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kLineSize = 256;

constexpr const char* kRuler = "--------------------------";
constexpr const char* kCoordinatesHeader = "Coordinates (Angstroms)";
constexpr const char* kInputOrientation = "Input orientation:";
constexpr const char* kZMatrixOrientation = "Z-Matrix orientation:";
constexpr const char* kStandardOrientation = "Standard orientation:";

struct Banner {
    const char* marker;
    int version;
};
// In the order they are tried.
constexpr Banner kBanners[] = {
    {"the Gaussian(R) 03 program.", 3},
    {"the Gaussian(R) 98 program.", 98},
    {"the Gaussian 94(TM) system of programs.", 94},
    {"the Gaussian(R) 09 program.", 9},
    {"the Gaussian(R) 16 program.", 16},
};

bool Contains(const char* line, const char* marker) {
    return std::strstr(line, marker) != nullptr;
}

int BannerVersion(const char* line) {
    if (!Contains(line, "Gaussian"))
        return 0;
    for (const Banner& banner : kBanners) {
        if (Contains(line, banner.marker))
            return banner.version;
    }
    return 0;
}

// The header of a normal-mode displacement table. Gaussian 09 and later put
// two blanks after "Atom", earlier versions one.
bool IsDisplacementHeader(const char* line) {
    const char* atom = std::strstr(line, "Atom ");
    if (atom == nullptr)
        return false;
    const char* rest = atom + 5;
    if (*rest == ' ')
        ++rest;
    constexpr const char* kColumns = "AN      X      Y      Z";
    return std::strncmp(rest, kColumns, std::strlen(kColumns)) == 0;
}

// How the rows of a geometry table are laid out.
enum class RowFormat {
    kUnknown,
    kSixFields,  // centre, atomic number, atomic type, x, y, z
    kFiveFields, // centre, atomic number, x, y, z
};

RowFormat FormatOfVersion(int version) {
    switch (version) {
    case 3:
    case 98:
    case 9:
    case 16:
        return RowFormat::kSixFields;
    case 94:
        return RowFormat::kFiveFields;
    default:
        return RowFormat::kUnknown;
    }
}

// For a banner no marker knows: the layout the row itself has.
RowFormat FormatOfRow(const char* row) {
    switch (TextScanner::CountWords(row)) {
    case 6:
        return RowFormat::kSixFields;
    case 5:
        return RowFormat::kFiveFields;
    default:
        return RowFormat::kUnknown;
    }
}

struct TableRow {
    int atomicNumber = 0;
    double x = 0.0, y = 0.0, z = 0.0;
};

bool ParseRow(const char* line, RowFormat format, TableRow& row) {
    TextScanner scan(line);
    int centre = 0;
    int type = 0;
    if (format == RowFormat::kUnknown || !scan.Int(centre) || !scan.Int(row.atomicNumber))
        return false;
    if (format == RowFormat::kSixFields && !scan.Int(type))
        return false;
    return scan.Real(row.x) && scan.Real(row.y) && scan.Real(row.z);
}

// "C  0  x y z" and "C -1  x y z": an optimisation freeze code (a whole
// number) between the symbol and the coordinates. Skipped when three more
// numbers follow it, so that the coordinates are not shifted by one.
void SkipFreezeCode(TextScanner& scan) {
    TextScanner probe = scan;
    std::string_view code;
    double ignored = 0.0;
    int freeze = 0;
    if (!probe.Word(code) || !TextScanner::ParseInt(code, freeze))
        return;
    const TextScanner afterCode = probe;
    if (probe.Real(ignored) && probe.Real(ignored) && probe.Real(ignored))
        scan = afterCode;
}

void SetNumberedLabel(MolAtom& atom, int number, std::string_view symbol) {
    char text[32];
    std::snprintf(text, sizeof text, "%d%.*s", number, static_cast<int>(symbol.size()),
                  symbol.data());
    atom.SetLabel(text);
}

// Reads lines up to and including the next ruler; false at the end of the file.
bool SkipToRuler(char* line, StdioFile* in) {
    while (CMolData::ReadLine(line, kLineSize, in) != nullptr) {
        if (Contains(line, kRuler))
            return true;
    }
    return false;
}

} // namespace

CGauData::CGauData(StdioFile* in, const PdbOptions* /*options*/) {
    Load(in, true, 0);
}

// What the first pass remembers from line to line.
struct CGauData::ScanState {
    int lineNumber = 0;
    int rows = 0;       // lines of an input geometry
    int tableState = 0; // 1: in the header of a table, 2: in its rows
    bool inputEnd = false;
    bool geometryStartFound = false;
    bool inOrientation = false;
    bool inputOrientationSeen = false;
    bool lookingForVibration = true;
    std::vector<bool> tableClosed; // by table, whether its closing ruler came
};

void CGauData::Scan() {
    sourceKind = SourceKind::kGaussian;
    gaussianFileType = GaussianFileType::kOutput;
    gaussianVersion = 0;
    vibrationState = kVibrationNone;
    inputGeometryType = 0;
    reserved = 0;
    frameCount = 0;
    atomCount = 0;
    vibrationPosition = 0;
    framePositions.clear();
    frameRows.clear();

    ScanState state;
    char line[kLineSize];
    while (ReadLine(line, kLineSize, file) != nullptr) {
        ScanRouteLine(state, line);
        if (gaussianVersion == 0)
            gaussianVersion = BannerVersion(line);
        if (gaussianFileType == GaussianFileType::kInput) {
            ScanInputLine(state, line);
            continue;
        }
        ScanTable(state, line);
        ScanVibration(state, line);
        ScanOrientation(state, line);
    }
    if (gaussianFileType == GaussianFileType::kInput)
        FinishInputScan(state);
    else
        FinishOutputScan(state);
}

// A "#" line among the first nine makes the file an input file; the
// geometry starts four lines later.
void CGauData::ScanRouteLine(ScanState& state, const char* line) {
    ++state.lineNumber;
    while (*line != '\0' && std::isspace(static_cast<unsigned char>(*line)))
        ++line;
    if (state.lineNumber < 10 && *line == '#' && gaussianFileType != GaussianFileType::kInput) {
        state.rows = -4;
        gaussianFileType = GaussianFileType::kInput;
        inputGeometryType = kGeometryCartesian;
        frameCount = 1;
        framePositions.assign(1, 0);
        frameRows.clear();
    }
}

// Counts the rows of the table being read, between the ruler under its
// column header and its closing ruler.
void CGauData::ScanTable(ScanState& state, const char* line) {
    if (state.tableState == 1 && Contains(line, kRuler)) {
        state.tableState = 2;
    } else if (state.tableState == 2) {
        if (Contains(line, kRuler)) {
            state.tableClosed.back() = true;
            state.tableState = 0;
        } else {
            ++frameRows.back();
        }
    }
}

// Counts the lines of an input geometry, from the one after the charge line
// up to the first line that is empty or holds only blanks.
void CGauData::ScanInputLine(ScanState& state, const char* line) {
    if (state.rows == 0) {
        framePositions[0] = file->GetPosition();
        state.geometryStartFound = true;
    }
    if (state.rows > 0 && TextScanner(line).AtEnd())
        state.inputEnd = true;
    if (!state.inputEnd)
        ++state.rows;
}

// Only the first normal-mode table is used.
void CGauData::ScanVibration(ScanState& state, const char* line) {
    if (state.lookingForVibration && IsDisplacementHeader(line)) {
        vibrationPosition = file->GetPosition();
        vibrationState = kVibrationPresent;
        state.lookingForVibration = false;
    }
}

// Input and Z-matrix orientations start geometry tables, standard
// orientations only until the first of those; the table starts after its
// "Coordinates (Angstroms)" line. A table still open is left unclosed.
void CGauData::ScanOrientation(ScanState& state, const char* line) {
    if (Contains(line, "orientation:")) {
        if (Contains(line, kInputOrientation) || Contains(line, kZMatrixOrientation)) {
            state.inOrientation = true;
            state.inputOrientationSeen = true;
        } else if (!state.inputOrientationSeen && Contains(line, kStandardOrientation)) {
            state.inOrientation = true;
        }
    }
    if (state.inOrientation && Contains(line, kCoordinatesHeader)) {
        framePositions.push_back(file->GetPosition());
        frameRows.push_back(0);
        state.tableClosed.push_back(false);
        state.tableState = 1;
        state.inOrientation = false;
    }
}

void CGauData::FinishInputScan(const ScanState& state) {
    atomCount = std::max(state.rows - 1, 0);
    frameRows.assign(1, atomCount);
    if (!state.geometryStartFound) {
        // The file ends before its charge line: nothing to read.
        frameCount = 0;
        framePositions.clear();
        frameRows.clear();
    } else if (!FirstGeometryLineIsCartesian()) {
        inputGeometryType = kGeometryZMatrix;
    }
}

// Only closed tables with rows are geometries.
void CGauData::FinishOutputScan(const ScanState& state) {
    std::size_t kept = 0;
    for (std::size_t t = 0; t < frameRows.size(); ++t) {
        if (!state.tableClosed[t] || frameRows[t] <= 0)
            continue;
        framePositions[kept] = framePositions[t];
        frameRows[kept] = frameRows[t];
        ++kept;
    }
    framePositions.resize(kept);
    frameRows.resize(kept);
    frameCount = static_cast<int>(kept);
    atomCount = frameRows.empty() ? 0 : *std::max_element(frameRows.begin(), frameRows.end());
}

bool CGauData::FirstGeometryLineIsCartesian() {
    char line[kLineSize];
    if (!file->Seek(framePositions[0]) || ReadLine(line, kLineSize, file) == nullptr)
        return false;
    TextScanner scan(line);
    std::string_view symbol;
    double x = 0.0, y = 0.0, z = 0.0;
    return scan.Word(symbol) && scan.Real(x) && scan.Real(y) && scan.Real(z);
}

int CGauData::ReadGeometries() {
    if (gaussianFileType == GaussianFileType::kInput)
        ReadInputGeometry();
    else
        ReadOutputGeometries();
    return frameCount;
}

void CGauData::ReadOutputGeometries() {
    const int noResidue = ResidueNameTable::instance().Id("NON");
    RowFormat format = FormatOfVersion(gaussianVersion);
    char line[kLineSize];
    for (int g = 0; g < frameCount; ++g) {
        CMolFrame& frame = Frame(g);
        const int rows = frame.atomCount;
        int atoms = 0;
        if (file->Seek(framePositions[static_cast<std::size_t>(g)]) && SkipToRuler(line, file)) {
            for (int n = 0; n < rows; ++n) {
                if (ReadLine(line, kLineSize, file) == nullptr)
                    break;
                if (format == RowFormat::kUnknown)
                    format = FormatOfRow(line);
                TableRow row;
                if (!ParseRow(line, format, row))
                    continue;
                MolAtom& atom = frame.Atom(atoms++);
                atom.x = row.x;
                atom.y = row.y;
                atom.z = row.z;
                atom.element = ElementTable::Clamp(row.atomicNumber);
                SetNumberedLabel(atom, atoms, ElementTable::Symbol(atom.element));
                atom.residueNameId = noResidue;
                atom.residueIndex = 0;
            }
        }
        skippedLines += rows - atoms;
        frame.ShrinkTo(atoms);
    }
    ReadDisplacements();
}

// The displacements of the first table belong to the geometry printed just
// before it: the only one of a frequency job, the frequency job's own (the
// last) after an optimisation.
void CGauData::ReadDisplacements() {
    if (vibrationPosition == 0 || frameCount == 0)
        return;
    int g = 0;
    while (g + 1 < frameCount &&
           framePositions[static_cast<std::size_t>(g) + 1] < vibrationPosition)
        ++g;
    if (!file->Seek(vibrationPosition))
        return;
    char line[kLineSize];
    const int atoms = AtomCount(g);
    for (int a = 0; a < atoms; ++a) {
        if (ReadLine(line, kLineSize, file) == nullptr)
            break;
        TextScanner scan(line);
        int number = 0, atomicNumber = 0;
        double dx = 0.0, dy = 0.0, dz = 0.0;
        if (!scan.Int(number) || !scan.Int(atomicNumber) || !scan.Real(dx) || !scan.Real(dy) ||
            !scan.Real(dz))
            break; // the table ends early
        MolAtom& atom = Atom(g, a);
        atom.dx = dx;
        atom.dy = dy;
        atom.dz = dz;
    }
}

void CGauData::ReadInputGeometry() {
    if (frameCount == 0)
        return;
    CMolFrame& frame = Frame(0);
    const int rows = frame.atomCount;
    int atoms = 0;
    const int noResidue = ResidueNameTable::instance().Id("NON");
    char line[kLineSize];
    const bool found = file->Seek(framePositions[0]);
    for (int i = 0; found && i < rows; ++i) {
        if (ReadLine(line, kLineSize, file) == nullptr)
            break;
        TextScanner scan(line);
        std::string_view token;
        double x = 0.0, y = 0.0, z = 0.0;
        if (!scan.Word(token))
            continue;
        SkipFreezeCode(scan);
        if (!scan.Real(x) || !scan.Real(y) || !scan.Real(z))
            continue;
        // The letters among the first two characters: C1 → C, Cl2 → Cl, 1H → H.
        std::string letters;
        for (std::size_t k = 0; k < token.size() && k < 2; ++k) {
            if (std::isalpha(static_cast<unsigned char>(token[k])))
                letters += token[k];
        }
        MolAtom& atom = frame.Atom(atoms++);
        atom.x = x;
        atom.y = y;
        atom.z = z;
        atom.element = ElementTable::NumberOfSymbolNoCase(letters);
        SetNumberedLabel(atom, atoms, letters);
        atom.residueNameId = noResidue;
        atom.residueIndex = 0;
    }
    skippedLines += rows - atoms;
    frame.ShrinkTo(atoms);
}
