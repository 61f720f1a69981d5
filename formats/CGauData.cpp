// Gaussian files: geometry tables and the normal modes of outputs, the
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
// - The markers of tables (the orientation headers, the rulers, the
//   frequency and displacement headers) are taken where Gaussian prints
//   them, at the start of their line after blanks; elsewhere in a line
//   they are text.
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
// - Normal modes belong to the geometry printed just before them (after an
//   optimisation: the frequency job's own geometry).
// - Atomic numbers without a row in the element table give element 0.
// - The tables of atoms (charges, spins, shieldings) have no rows for what
//   the geometry table gives a negative atomic number (dummy centres X,
//   translation vectors Tv): their values go to the other atoms in order,
//   and those atoms have none.
// - A file is an input when a line among the first nine starts with '#' (the
//   route), or a later one does with nothing but Link 0 lines, comments and
//   blank lines before it. GaussianInputReader reads its sections.
// - An input that ends before its charge line, or whose jobs all take their
//   geometry from a checkpoint file, holds no geometry.
// - Numbers are read without regard to the C library's locale.

#include "formats/CGauData.h"

#include "formats/FollowedFile.h"
#include "formats/FrequencyBlock.h"
#include "formats/GaussianInputReader.h"

#include "io/StdioFile.h"
#include "model/BestRotation.h"
#include "model/BondLimits.h"
#include "model/BondPerception.h"
#include "model/ElementTable.h"
#include "model/ReadLine.h"
#include "model/TextScanner.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
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

// Whether text begins with marker: compared character by character, so
// that no length of the line is taken (every line of an output passes here
// several times).
bool BeginsWith(const char* text, const char* marker) {
    for (; *marker != '\0'; ++text, ++marker) {
        if (*text != *marker)
            return false;
    }
    return true;
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
bool IsDisplacementHeader(const char* first) {
    if (!BeginsWith(first, "Atom "))
        return false;
    const char* rest = first + 5;
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

// The rest of the file from the current position, cut into lines the way
// ReadLine cuts them (LF, CR, CR LF and LF CR each end one) but
// whole, however long; offsets are the file positions of the lines.
void ReadAllLines(StdioFile* in, std::string& text, std::vector<std::string_view>& lines,
                  std::vector<std::int64_t>& offsets) {
    const std::int64_t start = in->GetPosition();
    in->AppendRest(text);
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string::npos)
            end = text.size();
        lines.emplace_back(text.data() + begin, end - begin);
        offsets.push_back(start + static_cast<std::int64_t>(begin));
        begin = end;
        if (begin < text.size()) {
            const char partner = text[begin] == '\r' ? '\n' : '\r';
            ++begin;
            if (begin < text.size() && text[begin] == partner)
                ++begin;
        }
    }
}

// Reads lines up to and including the next ruler; false at the end of the file.
bool SkipToRuler(char* line, StdioFile* in) {
    while (ReadLine(line, kLineSize, in) != nullptr) {
        if (Contains(line, kRuler))
            return true;
    }
    return false;
}

} // namespace

// One orientation table: where its rows start (after its column header), how
// many rows it has, whether its closing ruler came, and what its step
// printed after it.
struct CGauData::Table {
    std::int64_t position = 0;
    int rows = 0;
    bool closed = false;
    double energy = NormalMode::kNotPrinted;
    StepConvergence convergence;
    // "Optimization completed" came after this table: the geometry printed
    // next is the converged one again.
    bool completesOptimisation = false;
};

// What the first pass remembers from line to line.
struct CGauData::ScanState {
    int lineNumber = 0;
    bool onlyLinkZeroSoFar = true; // every line so far may precede a late route
    int tableState = 0;            // 1: in the header of a table, 2: in its rows
    bool inOrientation = false;
    bool inStandardOrientation = false; // a standard table's header seen
    bool inputOrientationSeen = false;
    bool lookingForVibration = true;
    std::vector<Table> tables;
    // File positions of the line two before the current one, the one
    // before, and the current one.
    std::int64_t lineStarts[3] = {0, 0, 0};
    CMolData::Termination lastTermination = CMolData::Termination::kRunning; // none seen yet
    bool stepAfterTermination = false;
    // Output before this offset is printed whole: a later table, mode block
    // or termination line has begun.
    std::int64_t wholeBefore = 0;
    // The excited states, thermochemistry, shieldings and charges so far.
    GaussianResultsScanner results;
    // The scan or IRC points so far.
    GaussianPathScanner path;
};

CGauData::CGauData(CMolData& model) : model_(model) {}

std::unique_ptr<CMolData> CGauData::Read(StdioFile* in, const PdbOptions&) {
    auto model = std::make_unique<CMolData>();
    CGauData(*model).ReadAll(in);
    return model;
}

void CGauData::ReadAll(StdioFile* in) {
    model_ = CMolData();
    file = in;
    Scan();
    model_.AllocateFrames(model_.frameCount, frameRows);
    ReadGeometries();
    model_.DropEmptyFrames();
    TakeResults();
    TakePath();
    model_.PerceiveBonds(0);
    model_.ComputeCentres();
    file = nullptr;
}

// The results scanned, their tables checked against the last geometry.
void CGauData::TakeResults() {
    if (model_.gaussianFileType != CMolData::GaussianFileType::kOutput)
        return;
    const int revision = model_.results.revision;
    model_.results = scannedResults_.Results(TabledAtoms());
    model_.results.revision = revision + 1;
}

// The scan or IRC the output runs, over the geometries read.
void CGauData::TakePath() {
    if (model_.gaussianFileType != CMolData::GaussianFileType::kOutput) {
        model_.path = ReactionPath();
        return;
    }
    std::map<std::int64_t, int> geometryAt;
    for (std::size_t g = 0; g < model_.framePositions.size(); ++g)
        geometryAt[model_.framePositions[g]] = static_cast<int>(g);
    model_.path = scannedPath_.Path(model_, [&](int t) {
        if (t < 0 || static_cast<std::size_t>(t) >= tables_.size())
            return -1;
        const auto found = geometryAt.find(tables_[static_cast<std::size_t>(t)].position);
        return found == geometryAt.end() ? -1 : found->second;
    });
}

// Which atoms of the last geometry the tables of atoms (charges, spins,
// shieldings) have a row for: Gaussian leaves out of them what its geometry
// table gives a negative atomic number, the dummy centres (X, -1) and the
// translation vectors of a periodic system (Tv, -2), as noted when the
// table's rows were read.
std::vector<bool> CGauData::TabledAtoms() const {
    const int g = model_.frameCount - 1;
    std::vector<bool> tabled(static_cast<std::size_t>(std::max(model_.AtomCount(g), 0)), true);
    if (g >= 0 && static_cast<std::size_t>(g) < model_.framePositions.size()) {
        const auto found = untabled_.find(model_.framePositions[static_cast<std::size_t>(g)]);
        if (found != untabled_.end()) {
            for (const int a : found->second) {
                if (a < static_cast<int>(tabled.size()))
                    tabled[static_cast<std::size_t>(a)] = false;
            }
        }
    }
    return tabled;
}

CGauData::~CGauData() = default;

void CGauData::Scan() {
    model_.sourceKind = CMolData::SourceKind::kGaussian;
    model_.gaussianFileType = CMolData::GaussianFileType::kOutput;
    model_.gaussianVersion = 0;
    model_.vibrationState = CMolData::kVibrationNone;
    model_.inputGeometryType = 0;
    model_.frameCount = 0;
    model_.atomCount = 0;
    model_.vibrationPosition = 0;
    model_.framePositions.clear();
    frameRows.clear();

    inputAtoms_.clear();
    inputSkippedLines_ = 0;
    model_.zMatrixProblem = ZMatrixProblem();

    tables_.clear();
    tablesRead_ = 0;
    rowFormat_ = static_cast<int>(RowFormat::kUnknown);
    modeBlocks_.clear();
    modeNumbers_.clear();
    displacementsWhole_ = false;
    standardTables_.clear();
    resume_.reset();
    model_.termination = CMolData::Termination::kRunning;

    const std::int64_t start = file->GetPosition();
    const std::int64_t completeEnd = FollowedFile::CompleteEnd(file, start);
    if (!file->Seek(start))
        return;
    ScanState state;
    if (!ScanLines(state, completeEnd)) {
        resume_.reset();
        ScanInput();
        return;
    }
    FinishOutputScan(state);
    rowFormat_ = static_cast<int>(FormatOfVersion(model_.gaussianVersion));
}

// Scans lines from the file's position to its end; false when one is the
// route line of an input. The state at completeEnd (the first line that may
// still be cut short starts there) is kept for scanning on when the file
// grows.
bool CGauData::ScanLines(ScanState& state, std::int64_t completeEnd) {
    bool kept = false;
    const auto keep = [&](std::int64_t at) {
        resume_ = std::make_unique<ScanState>(state);
        resumeAt_ = at;
        kept = true;
    };
    char line[kLineSize];
    for (std::int64_t start = file->GetPosition(); ReadLine(line, kLineSize, file) != nullptr;
         start = file->GetPosition()) {
        if (!kept && start >= completeEnd)
            keep(start);
        state.lineStarts[0] = state.lineStarts[1];
        state.lineStarts[1] = state.lineStarts[2];
        state.lineStarts[2] = start;
        if (IsRouteLine(state, line))
            return false;
        if (model_.gaussianVersion == 0)
            model_.gaussianVersion = BannerVersion(line);
        // The markers below begin their lines, after blanks: each is looked
        // for there only, not along the whole line.
        const char* first = line;
        while (*first == ' ' || *first == '\t')
            ++first;
        ScanTable(state, first);
        ScanVibration(state, first);
        ScanOrientation(state, first);
        // A line that may still be cut short gives no number: its digits
        // may not all be there yet.
        ScanStep(state, line, start < completeEnd);
        if (start < completeEnd) {
            state.results.Feed(line);
            state.path.Feed(line, static_cast<int>(state.tables.size()) - 1);
        }
    }
    if (!kept)
        keep(file->GetPosition());
    scannedSize_ = file->GetPosition();
    grown_.Remember(file, resumeAt_);
    return true;
}

// Whether the line is the route line of an input file.
bool CGauData::IsRouteLine(ScanState& state, const char* line) {
    ++state.lineNumber;
    const bool route = (state.lineNumber < 10 || state.onlyLinkZeroSoFar) &&
                       GaussianInputReader::IsRouteLine(line);
    state.onlyLinkZeroSoFar =
        state.onlyLinkZeroSoFar && GaussianInputReader::MayPrecedeLateRoute(line);
    return route;
}

// Reads the whole input file from its start and keeps the atoms of the job
// that holds them, for ReadInputGeometry.
void CGauData::ScanInput() {
    model_.gaussianFileType = CMolData::GaussianFileType::kInput;
    model_.termination = CMolData::Termination::kNotAnOutput;
    model_.inputGeometryType = CMolData::kGeometryCartesian;
    std::string text;
    std::vector<std::string_view> lines;
    std::vector<std::int64_t> offsets;
    if (file->Seek(0))
        ReadAllLines(file, text, lines, offsets);
    // Found again among whole lines: the scan counted a long line as
    // several.
    const std::size_t routeLine = GaussianInputReader::FindRoute(lines);
    if (routeLine >= lines.size())
        return;
    GaussianInputReader::Result input = GaussianInputReader::Read(lines, routeLine);
    if (input.zMatrix)
        model_.inputGeometryType = CMolData::kGeometryZMatrix;
    if (input.problem.kind != ZMatrixProblem::Kind::kNone) {
        model_.zMatrixProblem = input.problem;
        return;
    }
    if (!input.chargeLineFound)
        return;
    inputAtoms_ = std::move(input.atoms);
    inputSkippedLines_ = input.skippedLines;
    model_.atomCount = static_cast<int>(inputAtoms_.size());
    model_.frameCount = 1;
    frameRows.assign(1, model_.atomCount);
    model_.framePositions.assign(1, input.firstAtomLine < offsets.size()
                                        ? offsets[input.firstAtomLine]
                                        : file->GetPosition());
}

// Counts the rows of the table being read, between the ruler under its
// column header and its closing ruler.
void CGauData::ScanTable(ScanState& state, const char* first) {
    if (state.tableState == 1 && BeginsWith(first, kRuler)) {
        state.tableState = 2;
    } else if (state.tableState == 2) {
        if (BeginsWith(first, kRuler)) {
            state.tables.back().closed = true;
            state.tableState = 0;
        } else {
            ++state.tables.back().rows;
        }
    }
}

// Only the first normal-mode table is used.
void CGauData::ScanVibration(ScanState& state, const char* first) {
    if (*first != 'A' && *first != 'F')
        return;
    if (state.lookingForVibration && IsDisplacementHeader(first)) {
        model_.vibrationPosition = file->GetPosition();
        model_.vibrationState = CMolData::kVibrationPresent;
        state.lookingForVibration = false;
    }
    // Every block of every frequency table starts two lines above its
    // frequencies (mode numbers, then symmetries).
    if (state.lineNumber >= 3 && BeginsWith(first, "Frequencies --")) {
        modeBlocks_.push_back(state.lineStarts[0]);
        state.wholeBefore = state.lineStarts[0];
    }
}

// Input and Z-matrix orientations start geometry tables, standard
// orientations only until the first of those; the table starts after its
// "Coordinates (Angstroms)" line. A table still open is left unclosed.
void CGauData::ScanOrientation(ScanState& state, const char* first) {
    // The kinds' headers, and only after one the column header.
    if (*first == 'I' || *first == 'Z' || *first == 'S') {
        if (BeginsWith(first, kInputOrientation) || BeginsWith(first, kZMatrixOrientation)) {
            state.inOrientation = true;
            state.inputOrientationSeen = true;
        } else if (BeginsWith(first, kStandardOrientation)) {
            // Noted whether or not it is a geometry: the modes are printed
            // in this orientation.
            state.inStandardOrientation = true;
            state.inOrientation = state.inOrientation || !state.inputOrientationSeen;
        }
    }
    if (!state.inOrientation && !state.inStandardOrientation)
        return;
    if (!Contains(first, kCoordinatesHeader))
        return;
    if (state.inStandardOrientation) {
        standardTables_.push_back(file->GetPosition());
        state.inStandardOrientation = false;
    }
    if (state.inOrientation) {
        state.tables.emplace_back();
        state.tables.back().position = file->GetPosition();
        state.wholeBefore = state.lineStarts[2];
        state.stepAfterTermination = true;
        state.tableState = 1;
        state.inOrientation = false;
    }
}

// What a step prints after its geometry: the energy (SCF, the ONIOM
// extrapolation, or the "Energy=" of semi-empirical and molecular-mechanics
// steps; the last one printed counts) and the convergence table; and the
// termination lines. Numbers are read from whole lines only.
void CGauData::ScanStep(ScanState& state, const char* line, bool whole) {
    if (line[0] != ' ' || (!whole && line[1] != 'E' && line[1] != 'N'))
        return;
    double value = 0.0;
    const auto numberAfter = [&value](const char* text, char mark) {
        const char* at = std::strchr(text, mark);
        if (at == nullptr)
            return false;
        TextScanner scan(at + 1);
        return scan.Real(value);
    };
    // A termination line: the job's end, until a later step.
    const auto ended = [&state](CMolData::Termination how) {
        state.lastTermination = how;
        state.stepAfterTermination = false;
        state.wholeBefore = state.lineStarts[2];
    };
    bool energy = false;
    switch (line[1]) {
    case 'S':
        energy = std::strncmp(line, " SCF Done:", 10) == 0 && numberAfter(line, '=');
        break;
    case 'O':
        energy =
            std::strncmp(line, " ONIOM: extrapolated energy", 27) == 0 && numberAfter(line, '=');
        if (!state.tables.empty() && std::strncmp(line, " Optimization completed", 23) == 0)
            state.tables.back().completesOptimisation = true;
        break;
    case 'E':
        energy = whole && std::strncmp(line, " Energy=", 8) == 0 && numberAfter(line, '=');
        if (std::strncmp(line, " Error termination", 18) == 0)
            ended(CMolData::Termination::kError);
        break;
    case 'N':
        if (std::strncmp(line, " Normal termination", 19) == 0)
            ended(CMolData::Termination::kNormal);
        break;
    case 'M':
    case 'R': {
        static const char* const kItems[StepConvergence::kItems] = {
            " Maximum Force", " RMS     Force", " Maximum Displacement", " RMS     Displacement"};
        for (int k = 0; k < StepConvergence::kItems; ++k) {
            const std::size_t length = std::strlen(kItems[k]);
            if (std::strncmp(line, kItems[k], length) != 0 || line[length] != ' ' ||
                state.tables.empty())
                continue;
            // A value too large for its field prints as asterisks: the item
            // is there, its value unknown.
            TextScanner scan(line + length);
            std::string_view word, flag;
            double item = NormalMode::kNotPrinted, threshold = 0.0;
            const bool number =
                scan.Word(word) && (TextScanner::ParseReal(word, item) ||
                                    word.find_first_not_of('*') == std::string_view::npos);
            if (number && scan.Real(threshold) && scan.Word(flag) &&
                (flag == "YES" || flag == "NO")) {
                StepConvergence& c = state.tables.back().convergence;
                c.present[k] = true;
                c.value[k] = item;
                c.threshold[k] = threshold;
                c.converged[k] = flag == "YES";
            }
        }
        break;
    }
    default:
        break;
    }
    if (energy && !state.tables.empty()) {
        state.tables.back().energy = value;
        state.stepAfterTermination = true;
    }
}

// Only closed tables with rows are geometries.
void CGauData::TakeScan(const ScanState& state) {
    tables_ = state.tables;
    scannedResults_ = state.results;
    scannedPath_ = state.path;
    model_.termination =
        state.stepAfterTermination ? CMolData::Termination::kRunning : state.lastTermination;
}

void CGauData::FinishOutputScan(const ScanState& state) {
    TakeScan(state);
    for (const std::size_t t : GeometryTables()) {
        model_.framePositions.push_back(tables_[t].position);
        frameRows.push_back(tables_[t].rows);
    }
    tablesRead_ = model_.framePositions.size();
    model_.frameCount = static_cast<int>(model_.framePositions.size());
    model_.atomCount =
        frameRows.empty() ? 0 : *std::max_element(frameRows.begin(), frameRows.end());
}

std::vector<std::size_t> CGauData::GeometryTables() const {
    std::vector<std::size_t> geometries;
    for (std::size_t t = 0; t < tables_.size(); ++t) {
        if (tables_[t].closed && tables_[t].rows > 0)
            geometries.push_back(t);
    }
    return geometries;
}

void CGauData::SetStepValues() {
    // The tables of the previous geometry up to this one's: where one of them
    // completed an optimisation, this geometry (printed again after
    // "Optimization completed", with no step of its own) is the converged
    // one and takes its energy and convergence.
    auto previous = tables_.end();
    for (int g = 0; g < model_.frameCount; ++g) {
        const std::int64_t position = model_.framePositions[static_cast<std::size_t>(g)];
        const auto table =
            std::lower_bound(tables_.begin(), tables_.end(), position,
                             [](const Table& t, std::int64_t at) { return t.position < at; });
        if (table == tables_.end() || table->position != position)
            continue;
        CMolFrame& frame = model_.Frame(g);
        frame.energy = table->energy;
        frame.convergence = table->convergence;
        if (!std::isfinite(frame.energy) && previous != tables_.end() &&
            std::any_of(previous, table, [](const Table& t) { return t.completesOptimisation; })) {
            const CMolFrame& converged = model_.Frame(g - 1);
            frame.energy = converged.energy;
            frame.convergence = converged.convergence;
        }
        previous = table;
    }
}

void CGauData::ReadGeometries() {
    if (model_.gaussianFileType == CMolData::GaussianFileType::kInput)
        ReadInputGeometry();
    else
        ReadOutputGeometries();
}

void CGauData::ReadOutputGeometries() {
    for (int g = 0; g < model_.frameCount; ++g) {
        CMolFrame& frame = model_.Frame(g);
        const int rows = frame.atomCount;
        const int atoms = ReadTableRows(frame, model_.framePositions[static_cast<std::size_t>(g)]);
        model_.skippedLines += rows - atoms;
        frame.ShrinkTo(atoms);
    }
    SetStepValues();
    ReadDisplacements();
    ReadModes();
}

// Reads the rows of the table at position into frame, which has a record
// for each; returns the atoms read.
int CGauData::ReadTableRows(CMolFrame& frame, std::int64_t position) {
    auto format = static_cast<RowFormat>(rowFormat_);
    char line[kLineSize];
    int atoms = 0;
    std::vector<int> untabled;
    if (file->Seek(position) && SkipToRuler(line, file)) {
        for (int n = 0; n < frame.atomCount; ++n) {
            if (ReadLine(line, kLineSize, file) == nullptr)
                break;
            if (format == RowFormat::kUnknown) {
                format = FormatOfRow(line);
                rowFormat_ = static_cast<int>(format);
            }
            TableRow row;
            if (!ParseRow(line, format, row))
                continue;
            if (row.atomicNumber < 0)
                untabled.push_back(atoms);
            MolAtom& atom = frame.Atom(atoms++);
            atom.x = row.x;
            atom.y = row.y;
            atom.z = row.z;
            atom.element = ElementTable::Clamp(row.atomicNumber);
            atom.SetNumberedLabel(static_cast<std::size_t>(atoms),
                                  ElementTable::Symbol(atom.element));
            atom.residueIndex = 0;
        }
    }
    if (untabled.empty())
        untabled_.erase(position);
    else
        untabled_[position] = std::move(untabled);
    return atoms;
}

LogGrowth CGauData::ReadAppended(StdioFile* in) {
    LogGrowth growth;
    growth.readAgain = true;
    if (resume_ == nullptr || model_.gaussianFileType != CMolData::GaussianFileType::kOutput)
        return growth;
    // The same file only when it has not shrunk and still holds the bytes
    // read at its start and before the point scanning goes on from (a new
    // job writing to the same name prints another process id and time).
    if (!grown_.SameFile(in))
        return growth;
    growth.readAgain = false;
    if (in->Size() == scannedSize_)
        return growth;

    file = in;
    const std::int64_t completeEnd = FollowedFile::CompleteEnd(in, resumeAt_);
    ScanState state = *resume_;
    grown_.SeekToResume(in);
    const int oldFrames = model_.frameCount;
    const std::int64_t oldResume = resumeAt_;
    const CMolData::Termination oldTermination = model_.termination;
    if (!ScanLines(state, completeEnd)) {
        file = nullptr;
        growth.readAgain = true;
        return growth;
    }
    TakeScan(state);

    const std::vector<std::size_t> geometries = GeometryTables();
    const BondLimits& limits = BondLimits::instance();
    for (; tablesRead_ < geometries.size(); ++tablesRead_) {
        const Table& table = tables_[geometries[tablesRead_]];
        auto frame = std::make_unique<CMolFrame>(table.rows);
        const int atoms = ReadTableRows(*frame, table.position);
        model_.skippedLines += table.rows - atoms;
        if (atoms == 0)
            continue;
        frame->ShrinkTo(atoms);
        PerceiveFrameBonds(*frame, 0, limits);
        frame->ComputeCentre();
        model_.AppendFrame(std::move(frame));
        model_.framePositions.push_back(table.position);
        model_.atomCount = std::max(model_.atomCount, atoms);
        ++model_.frameCount;
    }
    growth.newFrames = model_.frameCount - oldFrames;
    TakeResults();
    SetStepValues();
    TakePath();
    ReadDisplacements();
    ReadModes();
    file = nullptr;
    growth.changed =
        resumeAt_ > oldResume || growth.newFrames > 0 || model_.termination != oldTermination;
    return growth;
}

// The displacements of the first table belong to the geometry printed just
// before it: the only one of a frequency job, the frequency job's own (the
// last) after an optimisation.
// While the table is still being printed it is read again after each look at
// the file; only its complete lines are read.
void CGauData::ReadDisplacements() {
    if (model_.vibrationPosition == 0 || model_.frameCount == 0 || displacementsWhole_)
        return;
    displacementsWhole_ = model_.vibrationPosition < resume_->wholeBefore;
    int g = 0;
    while (g + 1 < model_.frameCount &&
           model_.framePositions[static_cast<std::size_t>(g) + 1] < model_.vibrationPosition)
        ++g;
    file->LimitTo(WholeEnd());
    const bool found = file->Seek(model_.vibrationPosition);
    char line[kLineSize];
    const int atoms = model_.AtomCount(g);
    // The header's line end may have come in two pieces (LF, then CR): the
    // offset taken after the first leaves an empty line before the rows.
    if (found && model_.vibrationPosition > 0 && file->Seek(model_.vibrationPosition - 1) &&
        file->GetChar() == '\n' && file->GetChar() != '\r')
        file->Seek(model_.vibrationPosition);
    for (int a = 0; found && a < atoms; ++a) {
        if (ReadLine(line, kLineSize, file) == nullptr)
            break;
        TextScanner scan(line);
        int number = 0, atomicNumber = 0;
        double dx = 0.0, dy = 0.0, dz = 0.0;
        if (!scan.Int(number) || !scan.Int(atomicNumber) || !scan.Real(dx) || !scan.Real(dy) ||
            !scan.Real(dz))
            break; // the table ends early
        MolAtom& atom = model_.Atom(g, a);
        atom.dx = dx;
        atom.dy = dy;
        atom.dz = dz;
    }
    file->LimitTo(-1);
    BestRotation rotation;
    if (found && StandardToInput(g, model_.vibrationPosition, rotation)) {
        for (int a = 0; a < atoms; ++a) {
            MolAtom& atom = model_.Atom(g, a);
            const Point3D d = rotation.Apply({atom.dx, atom.dy, atom.dz});
            atom.dx = d.x;
            atom.dy = d.y;
            atom.dz = d.z;
        }
    }
}

// Gaussian prints normal modes in the standard orientation. When geometry g
// is an input (or Z-matrix) orientation and a standard table of the same
// atoms lies between it and the modes at offset, the rotation from that
// table onto geometry g; false when the modes need none (or the tables are
// no rigid turn of one another, when they are left as printed).
bool CGauData::StandardToInput(int g, std::int64_t offset, BestRotation& rotation) {
    const std::int64_t own = model_.framePositions[static_cast<std::size_t>(g)];
    std::int64_t standard = 0;
    for (const std::int64_t table : standardTables_) {
        if (table > own && table < offset)
            standard = table;
    }
    char line[kLineSize];
    if (standard == 0 || !file->Seek(standard) || !SkipToRuler(line, file))
        return false;
    RowFormat format = FormatOfVersion(model_.gaussianVersion);
    const int atoms = model_.AtomCount(g);
    std::vector<Point3D> from, to;
    for (int a = 0; a < atoms; ++a) {
        if (ReadLine(line, kLineSize, file) == nullptr)
            return false;
        if (format == RowFormat::kUnknown)
            format = FormatOfRow(line);
        TableRow row;
        if (!ParseRow(line, format, row) ||
            ElementTable::Clamp(row.atomicNumber) != model_.GetElement(g, a))
            return false;
        from.push_back({row.x, row.y, row.z});
        to.push_back(model_.GetAtomPos(g, a));
    }
    // The tables print six decimals: a rigid turn fits to well under 0.01 Å.
    return ReadLine(line, kLineSize, file) != nullptr && Contains(line, kRuler) &&
           rotation.Fit(from, to) && rotation.Rmsd() < 0.01;
}

// Where the lines that may be read end: all of them in a file whose job has
// ended, else those that are whole (the last may be cut short).
std::int64_t CGauData::WholeEnd() const {
    return model_.termination == CMolData::Termination::kRunning ? resumeAt_ : -1;
}

// Every mode of every frequency table, with the geometry printed before it.
// A mode printed twice for one geometry (high-precision blocks first, then
// the usual ones) is kept as first read. Only complete lines are read; a
// block that may not have been printed whole is kept to be read again.
void CGauData::ReadModes() {
    char buffer[kLineSize];
    const auto nextLine = [&](std::string& line) {
        if (ReadLine(buffer, kLineSize, file) == nullptr)
            return false;
        line.assign(buffer);
        return true;
    };
    std::sort(modeBlocks_.begin(), modeBlocks_.end());
    modeBlocks_.erase(std::unique(modeBlocks_.begin(), modeBlocks_.end()), modeBlocks_.end());
    std::vector<std::int64_t> unfinished;
    std::vector<NormalMode> block;
    file->LimitTo(WholeEnd());
    for (const std::int64_t offset : modeBlocks_) {
        if (model_.frameCount == 0 || model_.framePositions.front() >= offset)
            continue;
        if (offset >= resume_->wholeBefore)
            unfinished.push_back(offset);
        int g = 0;
        while (g + 1 < model_.frameCount &&
               model_.framePositions[static_cast<std::size_t>(g) + 1] < offset)
            ++g;
        if (!file->Seek(offset))
            continue;
        block.clear();
        FrequencyBlock::Read(nextLine, model_.AtomCount(g), block);
        if (block.empty())
            continue;
        BestRotation rotation;
        const bool turn = StandardToInput(g, offset, rotation);
        std::vector<NormalMode>& modes = model_.Frame(g).modes;
        std::set<int>& known = modeNumbers_[model_.framePositions[static_cast<std::size_t>(g)]];
        for (NormalMode& mode : block) {
            if (!known.insert(mode.number).second)
                continue;
            if (turn) {
                for (Point3D& d : mode.displacements)
                    d = rotation.Apply(d);
            }
            modes.push_back(std::move(mode));
        }
    }
    file->LimitTo(-1);
    modeBlocks_ = std::move(unfinished);
}

void CGauData::ReadInputGeometry() {
    if (model_.frameCount == 0)
        return;
    CMolFrame& frame = model_.Frame(0);
    const int atoms = std::min(frame.atomCount, static_cast<int>(inputAtoms_.size()));
    for (int a = 0; a < atoms; ++a) {
        const GaussianInputReader::Atom& input = inputAtoms_[static_cast<std::size_t>(a)];
        MolAtom& atom = frame.Atom(a);
        atom.x = input.position.x;
        atom.y = input.position.y;
        atom.z = input.position.z;
        atom.element = input.element;
        atom.SetLabel(input.label.c_str());
        atom.residueIndex = 0;
    }
    frame.ShrinkTo(atoms);
    model_.skippedLines += inputSkippedLines_;
    inputAtoms_.clear();
    inputAtoms_.shrink_to_fit();
}
