// Gaussian input files, section by section.
//
// Where inputs are ambiguous, this reader decides:
// - A section ends at an empty line or a line of blanks. Lines that start
//   with '!' are comments wherever they stand and end nothing; on an atom
//   line, '!' starts a comment.
// - Fields of an atom line are separated by blanks, tabs or commas; a comma
//   inside parentheses belongs to the atom's parameters ("C(Iso=13,Spin=1)").
// - The atom's element: a whole number (before any parameters or MM type)
//   is an atomic number, 1 to 118; otherwise the letters among the first two
//   characters name it in any case ("C1" carbon, "Cl2" chlorine, "C-CA-0.1"
//   carbon, "Fe(Iso=56)" iron). Dummy atoms ("X"), ghosts ("Bq", "C-Bq") and
//   unknown symbols are element 0. The label is the atom's number and those
//   letters as written, or the element's symbol for an atomic number.
// - A whole number of 0 or below before at least three more fields is a
//   freeze code and is skipped. What follows the coordinates (ONIOM layers,
//   link atoms) is ignored.
// - A line is a Z-matrix line when its first field names an earlier atom (a
//   positive number or an earlier label) and it has two fields, or four or
//   more with the third naming an atom too; otherwise three values are
//   Cartesian coordinates. As before, a positive whole number followed by
//   three numbers ("C 1 0.5 1.5 2.5") is a freeze code and coordinates.
// - Values are numbers or variable names ("-D1" negated). Variables come from
//   a "Variables:" part of the molecule section or from the section after it,
//   and from the one after that (older inputs put constants there); the first
//   definition of a name counts.
// - A bare symbol as the first atom line is an atom at the origin (the start
//   of a Z-matrix, or the one atom of an atomic calculation).
// - In a geometry of Cartesian lines only, a line that is not an atom is
//   skipped and counted; in one with Z-matrix lines such a line (which would
//   shift every reference by number after it) leaves the whole geometry
//   unresolved, with the line named.
// - geom=check and geom=allcheck jobs take their geometry from a checkpoint
//   file and give none here.

#include "formats/GaussianInputReader.h"

#include "formats/ZMatrix.h"
#include "model/ElementTable.h"
#include "model/TextScanner.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <unordered_map>

namespace {

using Lines = std::vector<std::string_view>;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsBlank(std::string_view line) {
    return Trim(line).empty();
}

bool IsComment(std::string_view line) {
    const std::string_view text = Trim(line);
    return !text.empty() && text.front() == '!';
}

bool IsLink1(std::string_view line) {
    return TextScanner::Lower(Trim(line)) == "--link1--";
}

// Whether the line ends the section it is in.
bool EndsSection(std::string_view line) {
    return IsBlank(line) || IsLink1(line);
}

// "Variables:" or "Constants:", with or without the colon.
bool IsVariablesHeader(std::string_view line) {
    if (Trim(line).size() > 10)
        return false;
    std::string text = TextScanner::Lower(Trim(line));
    if (!text.empty() && text.back() == ':')
        text.pop_back();
    return text == "variables" || text == "constants";
}

// The fields of an atom line: split at blanks and commas outside
// parentheses, up to a '!' comment.
std::vector<std::string_view> Fields(std::string_view line, bool equalsSeparates) {
    std::vector<std::string_view> fields;
    std::size_t start = std::string_view::npos;
    int depth = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        const char c = i < line.size() ? line[i] : ' ';
        const bool end = i == line.size() || (c == '!' && depth == 0);
        const bool separator =
            end || (depth == 0 && (IsSpace(c) || c == ',' || (equalsSeparates && c == '=')));
        if (separator) {
            if (start != std::string_view::npos)
                fields.push_back(line.substr(start, i - start));
            start = std::string_view::npos;
            if (end)
                break;
            continue;
        }
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        if (start == std::string_view::npos)
            start = i;
    }
    return fields;
}

bool IsName(std::string_view text) {
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text.front())))
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
    });
}

// A number, or a variable name with an optional minus sign.
bool ParseValue(std::string_view text, ZMatrix::Value& value) {
    if (TextScanner::ParseReal(text, value.number))
        return true;
    value.negated = !text.empty() && text.front() == '-';
    if (value.negated || (!text.empty() && text.front() == '+'))
        text.remove_prefix(1);
    if (!IsName(text))
        return false;
    value.name = std::string(text);
    return true;
}

// Whether the route reads the geometry from the checkpoint file: geom=check
// or geom=allcheck in any spelling Gaussian takes (Geom(Check),
// Geometry=(AllCheck,...), geom=checkpoint).
bool GeometryFromCheckpoint(const std::string& route) {
    const std::string text = TextScanner::Lower(route);
    for (std::size_t at = text.find("geom"); at != std::string::npos;
         at = text.find("geom", at + 4)) {
        if (at > 0 && std::isalnum(static_cast<unsigned char>(text[at - 1])))
            continue;
        std::size_t i = at + 4;
        while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])))
            ++i;
        while (i < text.size() && text[i] == ' ')
            ++i;
        if (i < text.size() && text[i] == '=')
            ++i;
        while (i < text.size() && text[i] == ' ')
            ++i;
        std::size_t end = i;
        if (i < text.size() && text[i] == '(') {
            end = text.find(')', i);
            if (end == std::string::npos)
                end = text.size();
        } else {
            while (end < text.size() && !IsSpace(text[end]))
                ++end;
        }
        const std::string value = text.substr(i, end - i);
        if (value.find("check") != std::string::npos || value.find("chk") != std::string::npos)
            return true;
    }
    return false;
}

// Element number and label letters of an atom line's first field.
void ElementOf(std::string_view field, int number, GaussianInputReader::Atom& atom) {
    std::string_view core = field.substr(0, field.find('('));
    const std::size_t hyphen = core.find('-', 1);
    const bool ghost = hyphen != std::string_view::npos &&
                       TextScanner::Lower(core.substr(hyphen + 1)).rfind("bq", 0) == 0;
    int atomic = 0;
    if (TextScanner::ParseInt(core.substr(0, hyphen), atomic)) {
        atom.element = atomic >= 1 && atomic <= 118 ? ElementTable::Clamp(atomic) : 0;
        atom.label = std::to_string(number) + ElementTable::Symbol(atom.element);
    } else {
        std::string letters;
        for (std::size_t k = 0; k < field.size() && k < 2; ++k) {
            if (std::isalpha(static_cast<unsigned char>(field[k])))
                letters += field[k];
        }
        atom.element = ElementTable::NumberOfSymbolNoCase(letters);
        atom.label = std::to_string(number) + letters;
    }
    if (ghost)
        atom.element = 0;
}

class MoleculeSectionReader {
public:
    explicit MoleculeSectionReader(std::size_t lines) {
        atoms_.reserve(lines);
        zMatrix_.Reserve(lines);
    }

    // One line of the molecule section; false when it is not an atom.
    bool AddLine(std::string_view line, int fileLine) {
        std::vector<std::string_view> fields = Fields(line, false);
        if (fields.empty())
            return false;
        ZMatrix::Line entry;
        entry.fileLine = fileLine;
        std::vector<std::string_view> rest(fields.begin() + 1, fields.end());
        int code = 0;
        if (rest.size() >= 4 && TextScanner::ParseInt(rest[0], code) && code <= 0)
            rest.erase(rest.begin());
        if (!Classify(rest, entry))
            return false;
        GaussianInputReader::Atom atom;
        const int index = static_cast<int>(atoms_.size());
        ElementOf(fields[0], index + 1, atom);
        labelText_.push_back(fields[0].substr(0, fields[0].find('(')));
        atoms_.push_back(atom);
        zMatrix_.Add(std::move(entry));
        return true;
    }

    const ZMatrix& Matrix() const { return zMatrix_; }
    std::vector<GaussianInputReader::Atom>& Atoms() { return atoms_; }

private:
    // Index of the earlier atom a field names, by number or by label; -1
    // when it names none. A number beyond the atoms so far still counts as
    // a reference (to a later atom, reported when the atoms are placed).
    int Reference(std::string_view field) const {
        int number = 0;
        if (TextScanner::ParseInt(field, number))
            return number >= 1 ? number - 1 : -1;
        if (field.empty() || !std::isalpha(static_cast<unsigned char>(field.front())))
            return -1;
        // Indexed only once a line refers to a label, and then only the
        // atoms added since: Cartesian inputs never pay for it.
        for (; indexed_ < labelText_.size(); ++indexed_) {
            const int index = static_cast<int>(indexed_);
            labels_.emplace(std::string(labelText_[indexed_]), index); // the first one counts
            foldedLabels_.emplace(TextScanner::Lower(labelText_[indexed_]), index);
        }
        auto exact = labels_.find(std::string(field));
        if (exact != labels_.end())
            return exact->second;
        auto folded = foldedLabels_.find(TextScanner::Lower(field));
        return folded != foldedLabels_.end() ? folded->second : -1;
    }

    bool Classify(const std::vector<std::string_view>& f, ZMatrix::Line& entry) const {
        using Kind = ZMatrix::Line::Kind;
        if (f.empty()) {
            // Only the first atom may stand without coordinates.
            entry.kind = Kind::kOrigin;
            return atoms_.empty();
        }
        const bool internal =
            Reference(f[0]) >= 0 && (f.size() == 2 || (f.size() >= 4 && Reference(f[2]) >= 0));
        if (internal) {
            entry.kind = Kind::kInternal;
            entry.refCount = f.size() == 2 ? 1 : (f.size() >= 6 && Reference(f[4]) >= 0 ? 3 : 2);
            for (int k = 0; k < entry.refCount; ++k) {
                entry.refs[k] = Reference(f[static_cast<std::size_t>(2 * k)]);
                entry.refText[k] = std::string(f[static_cast<std::size_t>(2 * k)]);
                if (!ParseValue(f[static_cast<std::size_t>(2 * k + 1)], entry.values[k]))
                    return false;
            }
            int form = 0;
            if (entry.refCount == 3 && f.size() >= 7 && TextScanner::ParseInt(f[6], form) &&
                (form == 1 || form == -1))
                entry.form = form;
            return true;
        }
        if (f.size() < 3)
            return false;
        std::size_t first = 0;
        double number = 0.0;
        int code = 0;
        if (f.size() >= 4 && TextScanner::ParseInt(f[0], code) &&
            TextScanner::ParseReal(f[1], number) && TextScanner::ParseReal(f[2], number) &&
            TextScanner::ParseReal(f[3], number))
            first = 1;
        entry.kind = Kind::kCartesian;
        for (std::size_t k = 0; k < 3; ++k) {
            if (!ParseValue(f[first + k], entry.values[k]))
                return false;
        }
        return true;
    }

    // Each atom's label as written, up to any parameters (views into the
    // file's lines); the labels as written and in lower case to the index
    // of their first atom, for the first indexed_ atoms.
    std::vector<std::string_view> labelText_;
    mutable std::unordered_map<std::string, int> labels_, foldedLabels_;
    mutable std::size_t indexed_ = 0;
    std::vector<GaussianInputReader::Atom> atoms_;
    ZMatrix zMatrix_;
};

// Name and value of each "name value" or "name=value" line from begin up to
// the end of its section; returns the index of the line that ended it.
std::size_t ReadVariables(const Lines& lines, std::size_t begin,
                          std::map<std::string, double>& variables) {
    std::size_t i = begin;
    for (; i < lines.size() && !EndsSection(lines[i]); ++i) {
        if (IsComment(lines[i]) || IsVariablesHeader(lines[i]))
            continue;
        const std::vector<std::string_view> f = Fields(lines[i], true);
        double value = 0.0;
        if (f.size() >= 2 && IsName(f[0]) && TextScanner::ParseReal(f[1], value))
            variables.emplace(std::string(f[0]), value);
    }
    return i;
}

// The molecule section from lines[begin] on, into result. Returns the index
// of the line that ended it.
std::size_t ReadMoleculeSection(const Lines& lines, std::size_t begin,
                                GaussianInputReader::Result& result) {
    std::size_t i = begin;
    while (i < lines.size() && !EndsSection(lines[i]))
        ++i;
    MoleculeSectionReader reader(i - begin);
    std::map<std::string, double> variables;
    int firstBadLine = 0, badLines = 0;
    i = begin;
    for (; i < lines.size() && !EndsSection(lines[i]); ++i) {
        if (IsComment(lines[i]))
            continue;
        if (IsVariablesHeader(lines[i])) {
            i = ReadVariables(lines, i + 1, variables);
            break;
        }
        if (!reader.AddLine(lines[i], static_cast<int>(i) + 1)) {
            ++badLines;
            if (firstBadLine == 0)
                firstBadLine = static_cast<int>(i) + 1;
        }
    }
    const std::size_t end = i;
    const ZMatrix& matrix = reader.Matrix();
    result.zMatrix = matrix.HasInternalLines();
    if (result.zMatrix && firstBadLine != 0) {
        result.problem.kind = ZMatrixProblem::Kind::kUnreadableLine;
        result.problem.line = firstBadLine;
        return end;
    }
    if (matrix.UsesVariables()) {
        // The variables section, and the one after it.
        for (int section = 0; section < 2 && i < lines.size() && !IsLink1(lines[i]); ++section)
            i = ReadVariables(lines, i + 1, variables);
    }
    std::vector<Point3D> positions;
    std::vector<std::size_t> unresolved;
    if (!matrix.ToCartesian(variables, positions, result.problem, &unresolved))
        return end;
    std::vector<GaussianInputReader::Atom>& atoms = reader.Atoms();
    std::size_t next = 0;
    for (std::size_t a = 0; a < atoms.size(); ++a) {
        if (next < unresolved.size() && unresolved[next] == a) {
            ++next;
            continue;
        }
        GaussianInputReader::Atom atom = std::move(atoms[a]);
        atom.position = positions[a];
        // Numbered as kept, as the skipped lines were never atoms.
        const std::size_t digits = atom.label.find_first_not_of("0123456789");
        atom.label = std::to_string(result.atoms.size() + 1) +
                     atom.label.substr(std::min(digits, atom.label.size()));
        result.atoms.push_back(std::move(atom));
    }
    badLines += static_cast<int>(unresolved.size());
    result.skippedLines += badLines;
    return end;
}

} // namespace

bool GaussianInputReader::MayPrecedeLateRoute(std::string_view line) {
    const std::string_view text = Trim(line);
    return text.empty() || text.front() == '%' || text.front() == '!';
}

bool GaussianInputReader::IsRouteLine(std::string_view line) {
    const std::string_view text = Trim(line);
    return !text.empty() && text.front() == '#';
}

std::size_t GaussianInputReader::FindRoute(const Lines& lines) {
    bool onlyLinkZero = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (IsRouteLine(lines[i]) && (i < 9 || onlyLinkZero))
            return i;
        onlyLinkZero = onlyLinkZero && MayPrecedeLateRoute(lines[i]);
        if (i >= 9 && !onlyLinkZero)
            break;
    }
    return lines.size();
}

GaussianInputReader::Result GaussianInputReader::Read(const Lines& lines, std::size_t route) {
    Result result;
    std::size_t i = route;
    while (i < lines.size()) {
        std::string routeText;
        for (; i < lines.size() && !EndsSection(lines[i]); ++i) {
            if (!IsComment(lines[i]))
                routeText.append(lines[i]).append(" ");
        }
        if (i < lines.size() && IsBlank(lines[i]))
            ++i;
        if (!GeometryFromCheckpoint(routeText)) {
            // The title section, then the charge and multiplicity line.
            for (; i < lines.size() && !EndsSection(lines[i]); ++i) {
            }
            if (i < lines.size() && IsBlank(lines[i]))
                ++i;
            while (i < lines.size() && IsComment(lines[i]))
                ++i;
            if (i < lines.size() && !EndsSection(lines[i])) {
                result.chargeLineFound = true;
                result.firstAtomLine = ++i;
                result.skippedLines = 0;
                result.atoms.clear();
                i = ReadMoleculeSection(lines, i, result);
                if (!result.atoms.empty() || result.problem.kind != ZMatrixProblem::Kind::kNone)
                    return result;
            }
        }
        // The next job: after --Link1--, its Link 0 lines, then its route.
        while (i < lines.size() && !IsLink1(lines[i]))
            ++i;
        for (++i; i < lines.size() && !IsRouteLine(lines[i]); ++i) {
        }
    }
    return result;
}
