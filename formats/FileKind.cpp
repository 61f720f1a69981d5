#include "formats/FileKind.h"

#include "formats/FileFormat.h"
#include "model/ElementTable.h"
#include "model/TextScanner.h"

#include <vector>

bool IsGzipPath(std::string_view path) {
    if (path.size() < 3)
        return false;
    return TextScanner::Lower(path.substr(path.size() - 3)) == ".gz";
}

FileKind FileKindFromPath(std::string_view path) {
    if (IsGzipPath(path))
        path.remove_suffix(3);
    if (path.size() < 3)
        return FileKind::kUnknown;
    const std::string last = TextScanner::Lower(path.substr(path.size() - 3));
    for (const FileFormat& format : FileFormats()) {
        if (format.kind == FileKind::kUnknown)
            continue; // a format only written
        for (const char* extension : format.extensions) {
            const std::string_view ending(extension);
            if (ending.size() == 3
                    ? last == ending
                    : path.size() > ending.size() && path[path.size() - ending.size() - 1] == '.' &&
                          TextScanner::Lower(path.substr(path.size() - ending.size())) == ending)
                return format.kind;
        }
    }
    return FileKind::kUnknown;
}

FileKind KindOfNamedFile(FileKind named, FileKind content) {
    return named == FileKind::kGaussian && content == FileKind::kOrca ? content : named;
}

std::string KnownExtensions() {
    std::vector<const char*> all;
    for (const FileFormat& format : FileFormats()) {
        if (format.read != nullptr)
            all.insert(all.end(), format.extensions.begin(), format.extensions.end());
    }
    return JoinedList(all, false);
}

namespace {

// The lines of head, the last one dropped when the head cut it short.
std::vector<std::string_view> HeadLines(std::string_view head, bool complete) {
    std::vector<std::string_view> lines;
    while (!head.empty()) {
        const std::size_t end = head.find('\n');
        if (end == std::string_view::npos) {
            if (complete)
                lines.push_back(head);
            break;
        }
        std::string_view line = head.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        head.remove_prefix(end + 1);
    }
    return lines;
}

// A line of an integer and three numbers, and perhaps more numbers (a cube
// header line).
bool CountAndVector(std::string_view line) {
    TextScanner scan(line);
    long long count = 0;
    double x = 0.0, y = 0.0, z = 0.0;
    return scan.Int(count) && scan.Real(x) && scan.Real(y) && scan.Real(z);
}

// An XYZ atom row: an element symbol or number and three coordinates.
bool XyzAtomRow(std::string_view line) {
    TextScanner scan(line);
    std::string_view element;
    double x = 0.0, y = 0.0, z = 0.0;
    if (!scan.Word(element) || !scan.Real(x) || !scan.Real(y) || !scan.Real(z))
        return false;
    int number = 0;
    return ElementTable::NumberOfSymbolNoCase(element) > 0 ||
           (TextScanner::ParseInt(element, number) && number > 0 &&
            number < ElementTable::kRowCount);
}

} // namespace

FileKind FileKindFromContent(std::string_view head) {
    // Long enough to hold a Gaussian output's banner after its copyright.
    constexpr std::size_t kLook = 64 * 1024;
    // A head as long as the look may have cut its last line.
    const bool complete = head.size() < kLook;
    const std::vector<std::string_view> lines = HeadLines(head.substr(0, kLook), complete);
    if (lines.empty())
        return FileKind::kUnknown;
    const auto has = [&lines](std::string_view text) {
        for (std::string_view line : lines) {
            if (line.find(text) != std::string_view::npos)
                return true;
        }
        return false;
    };
    // A formatted checkpoint's title and job lines, then its first integer
    // ("Charge", or "Number of atoms" in newer versions).
    if (lines.size() > 2 &&
        (TextScanner::StartsWith(lines[2], "Number of atoms") ||
         TextScanner::StartsWith(lines[2], "Charge")) &&
        lines[2].find(" I ") != std::string_view::npos)
        return FileKind::kFchk;
    for (std::string_view line : lines) {
        const std::string_view text = TextScanner::Trim(line);
        if (text.empty())
            continue;
        if (TextScanner::Lower(text) == "[molden format]")
            return FileKind::kMolden;
        break;
    }
    for (std::string_view line : lines) {
        if (TextScanner::StartsWith(line, "data_"))
            return FileKind::kMmcif;
        if (!TextScanner::Trim(line).empty() && line.front() != '#')
            break;
    }
    // ORCA's banner comes first, before the input it echoes (whose lines
    // could pass for other kinds').
    if (has("* O   R   C   A *"))
        return FileKind::kOrca;
    if (has("Entering Gaussian System") || has("Gaussian, Inc.") || has("Entering Link 1"))
        return FileKind::kGaussian;
    // An input: Link 0 lines ("%chk=...") and blank lines, then the route.
    for (std::string_view line : lines) {
        const std::string_view text = TextScanner::Trim(line);
        if (text.empty() || text.front() == '%')
            continue;
        if (text.front() == '#' && text.size() > 1)
            return FileKind::kGaussian;
        break;
    }
    // An XYZ file's lone count first (a cube's first line is a comment, and
    // XYZ rows of atomic numbers would pass for its header lines).
    int count = 0;
    if (lines.size() >= 3 && TextScanner::ParseInt(TextScanner::Trim(lines[0]), count) &&
        count > 0 && XyzAtomRow(lines[2]))
        return FileKind::kXyz;
    // A cube: two comment lines, then the atom count and origin and three
    // axis lines of a count and a vector.
    if (lines.size() >= 6 && CountAndVector(lines[2]) && CountAndVector(lines[3]) &&
        CountAndVector(lines[4]) && CountAndVector(lines[5]))
        return FileKind::kCube;
    for (std::string_view line : lines) {
        for (const std::string_view record :
             {"ATOM  ", "HETATM", "HEADER", "CRYST1", "MODEL ", "COMPND"}) {
            if (TextScanner::StartsWith(line, record))
                return FileKind::kPdb;
        }
    }
    return FileKind::kUnknown;
}
