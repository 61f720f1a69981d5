// PDB files: ATOM and HETATM records into one geometry, residues, bonds from
// CONECT records or from distances. Fields are scanned as words from fixed
// starting columns, as the columns of many writers drift.
//
// Where files are ambiguous, this reader decides:
// - A digit in column 12, where the blank after the serial belongs, is the
//   last digit of a serial of six digits or more (simulation tools write
//   them): the rest of the record is read one column later.
// - The element is the symbol in columns 77-78 when they hold one of the
//   element table (in any case, right or left in the field); otherwise it
//   comes from columns 13-14 (a letter in 13: a two-letter element, H alone
//   always hydrogen; else the first symbol the name starting in column 14
//   begins with).
// - The models of an NMR file (MODEL records) are geometries when each
//   holds the same atoms (element, name, residue) in the same order; when
//   they differ, only the first model is read and fileModels says how many
//   there were. CONECT records give the first model's bonds to every model.
// - An insertion code (a letter in column 27) is part of the residue label:
//   SER52 and SER52A are two residues. A digit in column 27 is a residue
//   number that outgrew its field; the coordinates are scanned after it.
// - A blank residue name, residue number or coordinate field is read from
//   the fixed columns (18-20, 23-26, 31-38/39-46/47-54).
// - Column 22 is the chain identifier when it holds a letter, or a digit
//   with a blank after it; otherwise the residue number may start there.
// - A record without three finite coordinates (a bare "ATOM", asterisks in
//   the coordinate columns, a record cut by a NUL byte) gives no atom; it
//   is counted in skippedLines.
// - Residue numbers of asterisks count on from 9999 ("****"), 99999
//   ("*****") or 999999 (six or more).
// - CONECT records naming a serial no atom carries skip that serial (or the
//   whole record, when it is the record's own).
// - A file without atom records holds no molecule.
// - The two passes cut long lines at different lengths, so they may see a
//   different number of records: the reading pass never stores more atoms
//   than the counting pass found, and the model keeps only the atoms read.
// - Labels are stored as read; a leading digit moves to the end (1HB → HB1).
// - Numbers are read without regard to the C library's locale.

#include "formats/CPDBData.h"

#include "formats/PdbOptions.h"
#include "io/StdioFile.h"
#include "model/ElementTable.h"
#include "model/ReadLine.h"
#include "model/TextScanner.h"

#include <cmath>

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

namespace {

constexpr int kScanLineSize = 256;
constexpr int kReadLineSize = 80; // records are read up to column 79

// The elements an atom name can begin with: the element table's rows up to
// the lone pair (dummy, hydrogen to krypton, LP), in element-number order,
// which decides between prefixes (C before CA, B before BR).
constexpr int kLastNameElement = ElementTable::kLonePair;

bool IsAtomRecord(std::string_view line) {
    return TextScanner::StartsWith(line, "ATOM") || TextScanner::StartsWith(line, "HETATM");
}

// "MODEL" alone or with a blank after it (then the model number).
bool IsModelRecord(std::string_view line) {
    return TextScanner::StartsWith(line, "MODEL") && (line.size() == 5 || line[5] == ' ');
}

bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The text from 1-based column `first` to the end of the line (empty past it).
std::string_view From(std::string_view line, std::size_t first) {
    return first - 1 < line.size() ? line.substr(first - 1) : std::string_view();
}

// Columns first ... last, 1-based and inclusive, cut at the end of the line.
std::string_view Columns(std::string_view line, std::size_t first, std::size_t last) {
    return From(line, first).substr(0, last - first + 1);
}

// The word a scan from column `first` finds, and the 1-based column where it
// starts (0 when the line has none there).
std::string_view WordFrom(std::string_view line, std::size_t first, std::size_t& column) {
    std::string_view rest = From(line, first);
    TextScanner scan(rest);
    std::string_view word;
    if (!scan.Word(word)) {
        column = 0;
        return {};
    }
    column = first + static_cast<std::size_t>(word.data() - rest.data());
    return word;
}

// Element number from the atom-name columns 13 and 14. A letter in column 13
// means a two-letter element written there (H alone always means hydrogen);
// otherwise the name starts in column 14 and the first symbol in list order
// that it begins with wins.
int ElementOfName(std::string_view line) {
    const char c13 = line.size() >= 13 ? line[12] : '\0';
    const char c14 = line.size() >= 14 ? line[13] : '\0';
    if (IsLetter(c13)) {
        if (c13 == 'H')
            return 1;
        for (int e = 0; e <= kLastNameElement; ++e) {
            const char* symbol = ElementTable::Symbol(e);
            if (symbol[0] == c13 && symbol[1] == c14)
                return e;
        }
        return 0;
    }
    const std::string_view name = From(line, 14);
    for (int e = 0; e <= kLastNameElement; ++e) {
        if (TextScanner::StartsWith(name, ElementTable::Symbol(e)))
            return e;
    }
    return 0;
}

// Atom label from columns 12-17 (name and alternate location): the first
// word with a leading digit moved to its end (1HB → HB1), then a blank and
// the second word if there is one (CA A).
std::string LabelOfName(std::string_view line) {
    TextScanner scan(Columns(line, 12, 17));
    std::string_view first, second;
    std::string label;
    if (!scan.Word(first))
        return label;
    if (IsDigit(first[0]))
        label.append(first.substr(1)).push_back(first[0]);
    else
        label.assign(first);
    if (scan.Word(second))
        label.append(" ").append(second);
    return label;
}

// The residue number a scanned word starts with; false when there is none,
// or when the word is a decimal number (a coordinate reached across a blank
// residue-number field).
bool ReadResidueNumber(std::string_view word, int& number) {
    TextScanner scan(word);
    int value = 0;
    if (!scan.Int(value) || TextScanner::StartsWith(scan.Rest(), "."))
        return false;
    number = value;
    return true;
}

// A letter in column `at` as an insertion code; empty for anything else.
std::string InsertionAt(std::string_view line, std::size_t at) {
    const char c = at <= line.size() ? line[at - 1] : ' ';
    return IsLetter(c) ? std::string(1, c) : std::string();
}

// A HELIX or SHEET record as the helix or strand it names; false for
// another record or one whose residue numbers cannot be read. The helix
// class (columns 39-40) tells 3₁₀ (5) and π (3) helices from the rest.
bool ReadSecondaryRecord(std::string_view line, SecondaryRecord& record) {
    const bool helix = TextScanner::StartsWith(line, "HELIX ");
    if (!helix && !TextScanner::StartsWith(line, "SHEET "))
        return false;
    // Columns of the first chain, first number, last chain, last number.
    const std::size_t chain = helix ? 20 : 22, first = helix ? 22 : 23, lastChain = helix ? 32 : 33;
    if (!TextScanner(Columns(line, first, first + 3)).Int(record.firstNumber) ||
        !TextScanner(Columns(line, 34, 37)).Int(record.lastNumber))
        return false;
    record.chain.assign(TextScanner::Trim(Columns(line, chain, chain)));
    if (record.chain != TextScanner::Trim(Columns(line, lastChain, lastChain)))
        return false;
    record.firstInsertion = InsertionAt(line, first + 4);
    record.lastInsertion = InsertionAt(line, 38);
    record.code = 'E';
    if (helix) {
        int kind = 1;
        TextScanner(Columns(line, 39, 40)).Int(kind);
        record.code = kind == 5 ? 'G' : kind == 3 ? 'I' : 'H';
    }
    return true;
}

} // namespace

std::unique_ptr<CMolData> CPDBData::Read(StdioFile* in, const PdbOptions& options) {
    auto model = std::make_unique<CMolData>();
    CPDBData(in, *model).ReadAll(options);
    return model;
}

void CPDBData::ReadAll(const PdbOptions& options) {
    builder_.Load(
        &options, [this](std::vector<int>& rows) { Scan(rows); },
        [this](const std::vector<int>& rows) { ReadGeometries(rows); });
}

void CPDBData::Scan(std::vector<int>& frameRows) {
    // Atom records by model: a MODEL record starts the next model once the
    // one before holds atoms.
    std::vector<int> models(1, 0);
    char line[kScanLineSize];
    SecondaryRecord record;
    while (ReadLine(line, kScanLineSize, file) != nullptr) {
        if (IsAtomRecord(line)) {
            ++models.back();
        } else if (IsModelRecord(line)) {
            if (models.back() > 0)
                models.push_back(0);
        } else if (ReadSecondaryRecord(line, record)) {
            model_.secondaryRecords.push_back(record);
        }
    }
    if (models.back() == 0 && models.size() > 1)
        models.pop_back();
    // A file without atom records holds no molecule.
    if (models.front() == 0)
        return;
    model_.fileModels = models.size() > 1 ? static_cast<int>(models.size()) : 0;
    // An ensemble's models are its geometries when each holds as many atom
    // records; which atoms they are is compared once they are read.
    const bool same = std::all_of(models.begin(), models.end(),
                                  [&](int count) { return count == models.front(); });
    if (!same)
        models.resize(1);
    frameRows = models;
    model_.frameCount = static_cast<int>(models.size());
    model_.atomCount = models.front();
}

void CPDBData::ReadGeometries(const std::vector<int>& frameRows) {
    if (model_.frameCount == 0)
        return;
    std::vector<ReadState> states(static_cast<std::size_t>(model_.frameCount));
    char buffer[kReadLineSize];
    int model = 0;
    int records = 0; // of the model being read
    if (file->Seek(0)) {
        while (ReadLine(buffer, kReadLineSize, file) != nullptr) {
            const std::string_view line(buffer);
            if (IsAtomRecord(line)) {
                // The counting pass read longer pieces; never store more
                // atoms than it found.
                if (model < model_.frameCount &&
                    records++ < frameRows[static_cast<std::size_t>(model)] &&
                    !ReadAtomRecord(line, states[static_cast<std::size_t>(model)], model))
                    ++model_.skippedLines;
            } else if (IsModelRecord(line) && records > 0) {
                ++model;
                records = 0;
            } else if (model_.bondsFromFile != 0 && TextScanner::StartsWith(line, "CONECT")) {
                ReadConectRecord(line);
            }
        }
    }
    builder_.FinishModels(states);
}

namespace {

// The record as its fields stand in the standard columns: a serial of six
// digits or more pushes everything after it one column to the right, which
// the digit in column 12 gives away.
std::string_view NormalColumns(std::string_view line, std::string& shifted) {
    if (line.size() < 12 || !IsDigit(line[11]))
        return line;
    shifted.assign(line.substr(0, 11));
    shifted.append(line.substr(12));
    return shifted;
}

} // namespace

bool CPDBData::ReadAtomRecord(std::string_view record, ReadState& state, int g) {
    std::string shifted;
    const std::string_view line = NormalColumns(record, shifted);

    // Residue number: from column 23 after a chain identifier in 22, else
    // from 22.
    std::size_t column = 0;
    const std::string_view chain = WordFrom(line, 22, column);
    const char column23 = line.size() >= 23 ? line[22] : ' ';
    const bool chainId =
        !chain.empty() && (IsLetter(chain[0]) || (column == 22 && column23 == ' '));
    const std::string_view numberWord = WordFrom(line, chainId ? 23 : 22, column);
    AtomFields atom;
    if (!ReadCoordinates(line, numberWord, atom.at))
        return false;

    const int written =
        ElementTable::NumberOfSymbolNoCase(TextScanner::Trim(Columns(line, 77, 78)));
    atom.element = written > 0 ? written : ElementOfName(line);
    // The serial as written, however many digits it has.
    atom.hasSerial = TextScanner(From(record, record[0] == 'A' ? 5 : 7)).Int(atom.serial);
    atom.label = LabelOfName(line);

    // Residue name: the word from column 18, or columns 18-20 when the field
    // is blank.
    std::string_view name = WordFrom(line, 18, column);
    if (column == 0 || column > 20)
        name = TextScanner::Trim(Columns(line, 18, 20));
    atom.residueName.assign(name);

    int number = 0;
    if (TextScanner::StartsWith(numberWord, "****")) {
        number = state.overflow.Next(numberWord, atom.label);
    } else if (!ReadResidueNumber(numberWord, number)) {
        // A blank field: the scan ran on into the coordinates.
        number = 0;
        TextScanner(Columns(line, 23, 26)).Int(number);
    }

    // An insertion code in column 27 belongs to the residue (52 and 52A are
    // two residues). A digit there is the last digit of a residue number
    // that outgrew its field.
    const char column27 = line.size() >= 27 ? line[26] : ' ';
    atom.residueLabel = atom.residueName + std::to_string(number);
    atom.insertion.clear();
    if (IsLetter(column27)) {
        atom.residueLabel += column27;
        atom.insertion.assign(1, column27);
    }
    atom.chain.assign(chainId ? chain.substr(0, 1) : std::string_view());
    atom.residueNumber = number;
    // The temperature factor from its fixed columns; 0 where they hold none.
    if (!TextScanner(Columns(line, 61, 66)).Real(atom.bFactor) || !std::isfinite(atom.bFactor))
        atom.bFactor = 0.0;
    // The occupancy likewise; 1 where the columns hold none.
    if (!TextScanner(Columns(line, 55, 60)).Real(atom.occupancy) || !std::isfinite(atom.occupancy))
        atom.occupancy = 1.0;
    atom.hetero = record[0] == 'H';
    builder_.StoreAtom(atom, state, g);
    return true;
}

// Coordinates: scanned from column 27 when it is blank; after an overflowing
// residue number, scanned from where the number ends (writers that let the
// number run into column 27 shift the coordinates along with it); after an
// insertion code, or when the scan fails, from their fixed columns.
bool CPDBData::ReadCoordinates(std::string_view line, std::string_view numberWord, Point3D& at) {
    const char column27 = line.size() >= 27 ? line[26] : ' ';
    std::size_t scanFrom = 27;
    if (column27 != ' ' && !numberWord.empty()) {
        const std::size_t numberEnd =
            static_cast<std::size_t>(numberWord.data() - line.data()) + numberWord.size();
        scanFrom = std::max<std::size_t>(27, numberEnd + 1);
    }
    TextScanner coordinates(From(line, scanFrom));
    if (!IsLetter(column27) && coordinates.Real(at.x) && coordinates.Real(at.y) &&
        coordinates.Real(at.z))
        return true;
    return TextScanner(Columns(line, 31, 38)).Real(at.x) &&
           TextScanner(Columns(line, 39, 46)).Real(at.y) &&
           TextScanner(Columns(line, 47, 54)).Real(at.z);
}

// The atom's bonds become the partners of the record, in field order. A
// serial number no atom carries (yet) is skipped: the partner, or the whole
// record when it is the record's own.
void CPDBData::ReadConectRecord(std::string_view line) {
    CMolFrame& frame = model_.Frame(0);
    int serial = 0;
    if (!TextScanner(Columns(line, 7, 11)).Int(serial))
        return;
    const int own = frame.IndexOfSerial(serial);
    if (own < 0)
        return;
    int partners[8];
    int count = 0;
    for (std::size_t field = 12; field <= 47; field += 5) {
        const std::string_view text = Columns(line, field, field + 4);
        if (TextScanner::Trim(text).empty())
            break;
        int partnerSerial = 0;
        if (!TextScanner(text).Int(partnerSerial))
            continue;
        const int partner = frame.IndexOfSerial(partnerSerial);
        if (partner >= 0)
            partners[count++] = partner;
    }
    frame.SetBonds(own, partners, count);
}
