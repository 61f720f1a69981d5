#include "formats/XyzReader.h"

#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "model/ReadLine.h"
#include "model/TextScanner.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kLineSize = 1024;

// The number after word in text (lower case), or false.
bool NumberAfter(std::string_view text, std::string_view word, double& value) {
    const std::size_t at = text.find(word);
    return at != std::string_view::npos && TextScanner(text.substr(at + word.size())).Real(value);
}

// The energy a frame's comment names in hartree, in the comments of the
// programs known to write it so: xtb ("energy: -5.07 gnorm: 0.0003"), ORCA
// ("Coordinates from ORCA-job x E -76.3"), CREST ensembles (the number
// alone) and this program ("energy -76.4 hartree"). Other programs name
// energies in other units (Open Babel's "Energy:" is kcal/mol, extended XYZ
// uses eV), which are not taken. NaN when the comment names none.
double EnergyOfComment(std::string_view comment) {
    const std::string lower = TextScanner::Lower(comment);
    double value = 0.0;
    // A number alone (with a decimal point: a count or an index is none).
    if (comment.find('.') != std::string_view::npos && TextScanner::ParseReal(comment, value))
        return value;
    if (lower.find("gnorm:") != std::string::npos && NumberAfter(lower, " energy:", value))
        return value;
    if (lower.rfind("coordinates from orca-job", 0) == 0 && NumberAfter(lower, " e ", value))
        return value;
    if (lower.size() > 8 && lower.compare(lower.size() - 8, 8, " hartree") == 0 &&
        NumberAfter(lower, "energy ", value))
        return value;
    return NormalMode::kNotPrinted;
}

// The next line whole, however long: ReadLine gives a long line in pieces
// of at most kLineSize - 1 characters, the rest following as lines of their
// own. False at the end of the file.
bool NextLine(StdioFile* in, std::string& line) {
    char piece[kLineSize];
    line.clear();
    if (ReadLine(piece, kLineSize, in) == nullptr)
        return false;
    for (;;) {
        const std::size_t n = std::strlen(piece);
        line.append(piece, n);
        if (n < kLineSize - 1 || ReadLine(piece, kLineSize, in) == nullptr)
            return true;
    }
}

void ReadInto(StdioFile* in, CMolData& model) {
    model = CMolData();
    model.sourceKind = CMolData::SourceKind::kXyz;
    model.vibrationState = CMolData::kVibrationNone;
    model.inputGeometryType = CMolData::kGeometryCartesian;
    std::string line;
    struct Row {
        int element;
        Point3D at;
    };
    std::vector<Row> rows;
    for (;;) {
        std::int64_t start = in->GetPosition();
        bool counted = false; // a line that is not blank
        while (NextLine(in, line)) {
            if (!TextScanner(line).AtEnd()) {
                counted = true;
                break;
            }
            start = in->GetPosition();
        }
        long long count = 0;
        if (!counted || !TextScanner(line).Int(count) || count < 0)
            break;
        if (!NextLine(in, line))
            break;
        const double energy = EnergyOfComment(line);
        rows.clear();
        long long read = 0;
        for (; read < count && NextLine(in, line); ++read) {
            TextScanner scan(line);
            std::string_view name;
            Row row{};
            if (!scan.Word(name) || !scan.Real(row.at.x) || !scan.Real(row.at.y) ||
                !scan.Real(row.at.z)) {
                ++model.skippedLines;
                continue;
            }
            row.element = ElementTable::NumberOfName(name);
            rows.push_back(row);
        }
        if (read < count)
            break; // the file ends inside the frame
        if (rows.empty())
            continue;
        auto frame = std::make_unique<CMolFrame>(static_cast<int>(rows.size()));
        for (std::size_t a = 0; a < rows.size(); ++a) {
            MolAtom& atom = frame->Atom(static_cast<int>(a));
            atom.element = rows[a].element;
            atom.x = rows[a].at.x;
            atom.y = rows[a].at.y;
            atom.z = rows[a].at.z;
            atom.SetNumberedLabel(a + 1, ElementTable::Symbol(atom.element));
        }
        frame->energy = energy;
        model.AppendFrame(std::move(frame));
        model.framePositions.push_back(start);
    }
    model.frameCount = static_cast<int>(model.framePositions.size());
    model.DropEmptyFrames();
    model.PerceiveBonds(0);
    model.ComputeCentres();
}

} // namespace

std::unique_ptr<CMolData> ReadXyz(StdioFile* in) {
    auto model = std::make_unique<CMolData>();
    ReadInto(in, *model);
    return model;
}
