#include "model/SelectionEvaluator.h"

#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "model/ResidueKind.h"
#include "model/SelectionParser.h"
#include "model/SpatialGrid.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <iterator>
#include <set>

namespace {

using Kind = SelectionNode::Kind;
using Mask = SelectionEvaluator::Mask;

char Upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// value against pattern without regard to case; a pattern ending in * takes
// any rest ("C*" holds CA and CB, "*" everything).
bool Matches(std::string_view value, std::string_view pattern) {
    const bool prefix = !pattern.empty() && pattern.back() == '*';
    if (prefix)
        pattern.remove_suffix(1);
    if (prefix ? value.size() < pattern.size() : value.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (Upper(value[i]) != Upper(pattern[i]))
            return false;
    }
    return true;
}

bool MatchesAny(std::string_view value, const std::vector<std::string>& patterns) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [value](const std::string& p) { return Matches(value, p); });
}

// The atom name a label holds: its first word ("CA" of "CA A", the name
// and alternate location of a structure file).
std::string_view AtomName(const std::array<char, 8>& label) {
    std::size_t end = 0;
    while (end < label.size() && label[end] != '\0' && label[end] != ' ')
        ++end;
    return {label.data(), end};
}

// An atom name as written or as the readers store it: a name that starts
// with a digit (the old "1HB") is kept with the digit last ("HB1").
bool NameMatches(std::string_view name, const std::vector<std::string>& patterns) {
    for (const std::string& pattern : patterns) {
        if (Matches(name, pattern))
            return true;
        if (pattern.size() > 1 && std::isdigit(static_cast<unsigned char>(pattern[0])) != 0 &&
            pattern.back() != '*' && Matches(name, pattern.substr(1) + pattern[0]))
            return true;
    }
    return false;
}

bool InRanges(long value, const std::vector<SelectionNode::Range>& ranges) {
    return std::any_of(ranges.begin(), ranges.end(), [value](const SelectionNode::Range& r) {
        return value >= r.low && value <= r.high;
    });
}

// A residue number and insertion code against resi's values: a single
// number holds the residue of that number without an insertion code, a
// number with a code that residue only, a range every residue it spans.
bool ResidueNumberMatches(const ResidueId& id, const std::vector<SelectionNode::Range>& ranges) {
    for (const SelectionNode::Range& r : ranges) {
        if (!r.insertion.empty()) {
            if (id.number == r.low && Matches(id.insertion, r.insertion))
                return true;
        } else if (r.low == r.high) {
            if (id.number == r.low && id.insertion.empty())
                return true;
        } else if (id.number >= r.low && id.number <= r.high) {
            return true;
        }
    }
    return false;
}

bool IsBackboneName(std::string_view name, ResidueKind kind) {
    // A scan of a few short names: faster than a search tree, as this runs
    // for every atom.
    static constexpr std::string_view protein[] = {"N", "CA", "C", "O", "OXT", "H"};
    static constexpr std::string_view nucleic[] = {"P",   "OP1", "OP2", "OP3", "O1P", "O2P",
                                                   "O5'", "C5'", "C4'", "C3'", "O3'", "O5*",
                                                   "C5*", "C4*", "C3*", "O3*"};
    const auto holds = [name](const auto& names) {
        return std::find(std::begin(names), std::end(names), name) != std::end(names);
    };
    return kind == ResidueKind::kProtein   ? holds(protein)
           : kind == ResidueKind::kNucleic ? holds(nucleic)
                                           : false;
}

Mask Combine(std::vector<Mask> operands, bool all) {
    Mask out = std::move(operands.front());
    for (std::size_t k = 1; k < operands.size(); ++k) {
        for (std::size_t a = 0; a < out.size(); ++a)
            out[a] = static_cast<char>(all ? (out[a] != 0 && operands[k][a] != 0)
                                           : (out[a] != 0 || operands[k][a] != 0));
    }
    return out;
}

} // namespace

SelectionEvaluator::SelectionEvaluator(const CMolData& data, int geometry,
                                       const NamedSelections* named, bool fileSecondary)
    : data_(data), geometry_(geometry), named_(named), fileSecondary_(fileSecondary) {}

SelectionEvaluator::~SelectionEvaluator() = default;

static_assert(MolAtom::kLabelSize == 8, "the label column holds a whole label");

const SelectionEvaluator::Columns& SelectionEvaluator::AtomColumns() const {
    if (columns_)
        return *columns_;
    const CMolFrame& frame = data_.Frame(geometry_);
    auto columns = std::make_unique<Columns>();
    const auto count = static_cast<std::size_t>(frame.atomCount);
    columns->residue.resize(count);
    columns->element.resize(count);
    columns->hetero.resize(count);
    columns->label.resize(count);
    for (std::size_t a = 0; a < count; ++a) {
        const MolAtom& atom = frame.atoms[a];
        columns->residue[a] = atom.residueIndex;
        columns->element[a] = static_cast<unsigned char>(ElementTable::Clamp(atom.element));
        columns->hetero[a] = atom.hetero ? 1 : 0;
        std::copy_n(atom.label, columns->label[a].size(), columns->label[a].begin());
    }
    columns_ = std::move(columns);
    return *columns_;
}

std::size_t SelectionEvaluator::Count(const Mask& atoms) {
    return static_cast<std::size_t>(
        std::count_if(atoms.begin(), atoms.end(), [](char c) { return c != 0; }));
}

bool SelectionEvaluator::Select(std::string_view text, Mask& atoms, std::string& error) const {
    const SelectionParser::Result parsed = SelectionParser::Parse(text);
    if (!parsed.ok()) {
        error = parsed.error;
        return false;
    }
    return Evaluate(parsed.root, atoms, error);
}

template <typename Test> Mask SelectionEvaluator::ByResidue(Test test) const {
    const CMolFrame& frame = data_.Frame(geometry_);
    Mask residues(frame.residueIds.size());
    for (std::size_t r = 0; r < residues.size(); ++r)
        residues[r] = static_cast<char>(test(frame.residueIds[r], r));
    const std::vector<int>& residueOf = AtomColumns().residue;
    Mask atoms(residueOf.size(), 0);
    for (std::size_t a = 0; a < atoms.size(); ++a) {
        const auto r = static_cast<std::size_t>(residueOf[a]);
        atoms[a] = r < residues.size() ? residues[r] : 0;
    }
    return atoms;
}

Mask SelectionEvaluator::Near(const SelectionNode& node, const Mask& reference) const {
    const CMolFrame& frame = data_.Frame(geometry_);
    const auto count = static_cast<std::size_t>(frame.atomCount);
    std::vector<Point3D> points;
    for (std::size_t a = 0; a < count; ++a) {
        if (reference[a] != 0)
            points.push_back(frame.Position(static_cast<int>(a)));
    }
    Mask atoms(count, 0);
    if (points.empty())
        return atoms;
    const SpatialGrid grid(points, node.distance);
    for (std::size_t a = 0; a < count; ++a) {
        if (node.kind != Kind::kAround || reference[a] == 0)
            atoms[a] = static_cast<char>(grid.AnyWithin(frame.Position(static_cast<int>(a))));
    }
    return atoms;
}

Mask SelectionEvaluator::Expand(const Mask& atoms, bool wholeChains) const {
    const CMolFrame& frame = data_.Frame(geometry_);
    if (frame.residueIds.empty())
        return atoms;
    const std::vector<int>& residue = AtomColumns().residue;
    const auto residueOf = [&residue](int a) {
        return static_cast<std::size_t>(residue[static_cast<std::size_t>(a)]);
    };
    Mask residues(frame.residueIds.size(), 0);
    for (int a = 0; a < frame.atomCount; ++a) {
        if (atoms[static_cast<std::size_t>(a)] != 0 && residueOf(a) < residues.size())
            residues[residueOf(a)] = 1;
    }
    if (wholeChains) {
        std::set<std::string> chains;
        for (std::size_t r = 0; r < residues.size(); ++r) {
            if (residues[r] != 0)
                chains.insert(frame.residueIds[r].chain);
        }
        for (std::size_t r = 0; r < residues.size(); ++r)
            residues[r] = static_cast<char>(chains.count(frame.residueIds[r].chain) != 0);
    }
    Mask out(atoms.size(), 0);
    for (int a = 0; a < frame.atomCount; ++a)
        out[static_cast<std::size_t>(a)] = residueOf(a) < residues.size()
                                               ? residues[residueOf(a)]
                                               : atoms[static_cast<std::size_t>(a)];
    return out;
}

bool SelectionEvaluator::Evaluate(const SelectionNode& node, Mask& atoms,
                                  std::string& error) const {
    const CMolFrame& frame = data_.Frame(geometry_);
    const auto count = static_cast<std::size_t>(frame.atomCount);
    // A test of each atom's index and what the columns hold of it.
    struct Atom {
        int element;
        bool hetero;
        std::string_view name;
    };
    const auto perAtom = [&](auto test) {
        const Columns& columns = AtomColumns();
        Mask out(count, 0);
        for (std::size_t a = 0; a < count; ++a)
            out[a] = static_cast<char>(
                test(static_cast<int>(a),
                     Atom{columns.element[a], columns.hetero[a] != 0, AtomName(columns.label[a])}));
        return out;
    };
    const auto kindOf = [](const ResidueId& id) { return KindOfResidue(id.name); };
    const auto residueKind = [&](ResidueKind wanted) {
        return ByResidue([&](const ResidueId& id, std::size_t) { return kindOf(id) == wanted; });
    };
    const std::vector<char>& codes = frame.Secondary(fileSecondary_);
    const auto secondary = [&](auto test) {
        return ByResidue([&](const ResidueId&, std::size_t r) {
            return r < codes.size() && codes[r] != 0 && test(codes[r]);
        });
    };
    const auto isHelix = [](char c) { return c == 'H' || c == 'G' || c == 'I'; };

    std::vector<Mask> operands;
    for (const SelectionNode& operand : node.operands) {
        operands.emplace_back();
        if (!Evaluate(operand, operands.back(), error))
            return false;
    }
    switch (node.kind) {
    case Kind::kAll:
    case Kind::kNone:
        atoms.assign(count, node.kind == Kind::kAll ? 1 : 0);
        break;
    case Kind::kAnd:
    case Kind::kOr:
        atoms = Combine(std::move(operands), node.kind == Kind::kAnd);
        break;
    case Kind::kNot:
        atoms = std::move(operands.front());
        for (char& c : atoms)
            c = static_cast<char>(c == 0);
        break;
    case Kind::kChain:
        atoms = ByResidue([&](const ResidueId& id, std::size_t) {
            return std::find(node.words.begin(), node.words.end(), id.chain) != node.words.end();
        });
        break;
    case Kind::kResidueName:
        atoms = ByResidue(
            [&](const ResidueId& id, std::size_t) { return MatchesAny(id.name, node.words); });
        break;
    case Kind::kResidueNumber:
        atoms = ByResidue([&](const ResidueId& id, std::size_t) {
            return ResidueNumberMatches(id, node.ranges);
        });
        break;
    case Kind::kAtomName:
        atoms = perAtom([&](int, const Atom& atom) { return NameMatches(atom.name, node.words); });
        break;
    case Kind::kElement: {
        std::array<char, ElementTable::kRowCount> elements{};
        for (int e = 0; e < ElementTable::kRowCount; ++e)
            elements[static_cast<std::size_t>(e)] =
                static_cast<char>(MatchesAny(ElementTable::Symbol(e), node.words));
        atoms = perAtom([&](int, const Atom& atom) {
            return elements[static_cast<std::size_t>(atom.element)] != 0;
        });
        break;
    }
    case Kind::kIndex:
        atoms = perAtom([&](int a, const Atom&) { return InRanges(a + 1L, node.ranges); });
        break;
    case Kind::kSerial:
        atoms = perAtom([&](int a, const Atom&) {
            const int serial = frame.SerialOfAtom(a);
            return serial >= 0 && InRanges(serial, node.ranges);
        });
        break;
    case Kind::kModel:
        atoms.assign(count, InRanges(geometry_ + 1L, node.ranges) ? 1 : 0);
        break;
    case Kind::kProtein:
        atoms = residueKind(ResidueKind::kProtein);
        break;
    case Kind::kNucleic:
        atoms = residueKind(ResidueKind::kNucleic);
        break;
    case Kind::kWater:
        atoms = residueKind(ResidueKind::kWater);
        break;
    case Kind::kIon:
        atoms = residueKind(ResidueKind::kIon);
        break;
    case Kind::kBackbone:
    case Kind::kSidechain: {
        const Mask kinds = ByResidue(
            [&](const ResidueId& id, std::size_t) { return static_cast<int>(kindOf(id)); });
        const bool backbone = node.kind == Kind::kBackbone;
        atoms = perAtom([&](int a, const Atom& atom) {
            const auto kind = static_cast<ResidueKind>(kinds[static_cast<std::size_t>(a)]);
            const bool onBackbone = IsBackboneName(atom.name, kind);
            return backbone ? onBackbone : kind == ResidueKind::kProtein && !onBackbone;
        });
        break;
    }
    case Kind::kLigand: {
        const Mask other = residueKind(ResidueKind::kOther);
        atoms = perAtom([&](int a, const Atom& atom) {
            return atom.hetero && other[static_cast<std::size_t>(a)] != 0;
        });
        break;
    }
    case Kind::kHydrogen:
        atoms = perAtom([](int, const Atom& atom) { return atom.element == 1; });
        break;
    case Kind::kHetero:
        atoms = perAtom([](int, const Atom& atom) { return atom.hetero; });
        break;
    case Kind::kHelix:
        atoms = secondary(isHelix);
        break;
    case Kind::kSheet:
        atoms = secondary([](char c) { return c == 'E'; });
        break;
    case Kind::kCoil:
        atoms = secondary([&](char c) { return !isHelix(c) && c != 'E'; });
        break;
    case Kind::kWithin:
    case Kind::kAround:
        atoms = Near(node, operands.front());
        break;
    case Kind::kByResidue:
    case Kind::kByChain:
        atoms = Expand(operands.front(), node.kind == Kind::kByChain);
        break;
    case Kind::kNamed: {
        const std::string& name = node.words.front();
        const auto found =
            named_ != nullptr ? named_->find(name) : NamedSelections::const_iterator();
        if (named_ == nullptr || found == named_->end()) {
            error = "no selection is named '" + name + "'";
            return false;
        }
        atoms.assign(count, 0);
        std::copy_n(found->second.begin(), std::min(count, found->second.size()), atoms.begin());
        break;
    }
    }
    return true;
}
