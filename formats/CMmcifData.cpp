// PDBx/mmCIF files, parsed with gemmi's CIF grammar (gemmi-dev, through the
// PEGTL library its grammar is written in). The file is walked twice with
// actions of this reader that keep no CIF value they do not need: the first
// pass counts the atom_site rows of each model and keeps the struct_conn
// rows, the second turns each atom_site row into an atom as the row ends. A
// document of every value (gemmi's cif::Document) would hold each of them
// as a string of its own: 15 times the file's size in memory for a large
// structure, and seven times the time of the PDB reader.
//
// Where files are ambiguous, this reader decides:
// - The author's values are used where both are given (auth_atom_id,
//   auth_comp_id, auth_asym_id, auth_seq_id), the label values otherwise:
//   PDB files carry the author's names and numbers, so a structure reads the
//   same from either format, and papers cite them.
// - As in PDB files, a residue is a run of atoms with the same residue name,
//   number and insertion code; the atom label is the atom name (a leading
//   digit moved last) and the alternate location after a blank.
// - The element is type_symbol when the element table knows it, else the
//   symbol the atom name starts with.
// - Rows are grouped by pdbx_PDB_model_num in the order the numbers first
//   appear. When every model has as many rows, each model is a geometry (and
//   the models must hold the same atoms, as for PDB files); otherwise only
//   the first model is read and fileModels says how many there were.
// - A row without three numeric coordinates gives no atom; it is counted in
//   skippedLines.
// - The atom_site loop of the first data block that has one (with Cartn_x,
//   Cartn_y and Cartn_z) is read; tags are compared without regard to case.
//   An atom_site given as single items (one atom, no loop) is not read; a
//   struct_conn of one row, written so, is.
// - A file the grammar refuses, or a loop whose values do not fill its rows,
//   gives no molecule, with the parser's message.

#include "formats/CMmcifData.h"

#include "formats/PdbOptions.h"
#include "io/StdioFile.h"
#include "model/ElementTable.h"
#include "model/TextScanner.h"

#include <gemmi/cif.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

namespace pegtl = tao::pegtl;
namespace rules = gemmi::cif::rules;

namespace {

// The atom_site columns read, and the struct_conn columns.
enum SiteColumn {
    kX,
    kY,
    kZ,
    kId,
    kTypeSymbol,
    kLabelAtom,
    kAuthAtom,
    kAltId,
    kLabelComp,
    kAuthComp,
    kLabelAsym,
    kAuthAsym,
    kLabelSeq,
    kAuthSeq,
    kInsCode,
    kModel,
    kBFactor,
    kOccupancy,
    kGroup,
    kSiteColumns
};
constexpr std::array<const char*, kSiteColumns> kSiteTags = {
    "cartn_x",        "cartn_y",       "cartn_z",           "id",
    "type_symbol",    "label_atom_id", "auth_atom_id",      "label_alt_id",
    "label_comp_id",  "auth_comp_id",  "label_asym_id",     "auth_asym_id",
    "label_seq_id",   "auth_seq_id",   "pdbx_pdb_ins_code", "pdbx_pdb_model_num",
    "b_iso_or_equiv", "occupancy",     "group_pdb"};

enum LinkColumn {
    kType,
    kAsym1,
    kLabelAsym1,
    kSeq1,
    kLabelSeq1,
    kIns1,
    kAtom1,
    kAlt1,
    kAsym2,
    kLabelAsym2,
    kSeq2,
    kLabelSeq2,
    kIns2,
    kAtom2,
    kAlt2,
    kLinkColumns
};
constexpr std::array<const char*, kLinkColumns> kLinkTags = {"conn_type_id",
                                                             "ptnr1_auth_asym_id",
                                                             "ptnr1_label_asym_id",
                                                             "ptnr1_auth_seq_id",
                                                             "ptnr1_label_seq_id",
                                                             "pdbx_ptnr1_pdb_ins_code",
                                                             "ptnr1_label_atom_id",
                                                             "pdbx_ptnr1_label_alt_id",
                                                             "ptnr2_auth_asym_id",
                                                             "ptnr2_label_asym_id",
                                                             "ptnr2_auth_seq_id",
                                                             "ptnr2_label_seq_id",
                                                             "pdbx_ptnr2_pdb_ins_code",
                                                             "ptnr2_label_atom_id",
                                                             "pdbx_ptnr2_label_alt_id"};

// The columns of a helix (struct_conf) or strand (struct_sheet_range).
enum RangeColumn {
    kConfType,
    kHelixClass,
    kBegAsym,
    kBegLabelAsym,
    kBegSeq,
    kBegLabelSeq,
    kBegIns,
    kEndAsym,
    kEndLabelAsym,
    kEndSeq,
    kEndLabelSeq,
    kEndIns,
    kRangeColumns
};
constexpr std::array<const char*, kRangeColumns> kRangeTags = {
    "conf_type_id",      "pdbx_pdb_helix_class", "beg_auth_asym_id",      "beg_label_asym_id",
    "beg_auth_seq_id",   "beg_label_seq_id",     "pdbx_beg_pdb_ins_code", "end_auth_asym_id",
    "end_label_asym_id", "end_auth_seq_id",      "end_label_seq_id",      "pdbx_end_pdb_ins_code"};
constexpr std::string_view kHelixPrefix = "_struct_conf.";
constexpr std::string_view kStrandPrefix = "_struct_sheet_range.";

constexpr std::size_t kRowWidth =
    std::max({std::size_t{kSiteColumns}, std::size_t{kLinkColumns}, std::size_t{kRangeColumns}});
using Row = std::array<std::string_view, kRowWidth>;

// A value as text: quotes and text-field marks taken off, empty for the
// null values ? and . (as gemmi's as_string takes them).
std::string_view Text(std::string_view value) {
    if (value.size() == 1 && (value[0] == '?' || value[0] == '.'))
        return {};
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\''))
        return value.substr(1, value.size() - 2);
    if (value.size() > 2 && value[0] == ';' && value[value.size() - 2] == '\n') {
        const bool crlf = value.size() > 3 && value[value.size() - 3] == '\r';
        return value.substr(1, value.size() - (crlf ? 4 : 3));
    }
    return value;
}

// The first of two columns that holds a value.
std::string_view Either(const Row& row, int first, int second) {
    const std::string_view value = Text(row[static_cast<std::size_t>(first)]);
    return !value.empty() ? value : Text(row[static_cast<std::size_t>(second)]);
}

int IntOf(std::string_view value, int fallback) {
    int number = 0;
    return TextScanner::ParseInt(Text(value), number) ? number : fallback;
}

// The row's model number: 1 when it gives none; false for a number that is
// none (or beyond what a 64-bit integer holds), whose row is not read.
bool ModelOf(const Row& row, long long& model) {
    const std::string_view text = Text(row[kModel]);
    model = 1;
    return text.empty() || TextScanner::ParseInt(text, model);
}

bool CoordinatesOf(const Row& row, Point3D& at) {
    return TextScanner::ParseReal(Text(row[kX]), at.x) &&
           TextScanner::ParseReal(Text(row[kY]), at.y) &&
           TextScanner::ParseReal(Text(row[kZ]), at.z) && std::isfinite(at.x) &&
           std::isfinite(at.y) && std::isfinite(at.z);
}

// An atom name's element when no type_symbol says it: the longest symbol
// the name starts with (two letters, then one), in any case.
int ElementOfAtomName(std::string_view name) {
    std::size_t letters = 0;
    while (letters < name.size() && letters < 2 &&
           std::isalpha(static_cast<unsigned char>(name[letters])))
        ++letters;
    for (; letters > 0; --letters) {
        const int element = ElementTable::NumberOfSymbolNoCase(name.substr(0, letters));
        if (element > 0)
            return element;
    }
    return 0;
}

// An atom as struct_conn names it: chain, residue number, insertion code,
// atom name and alternate location.
std::string AtomKey(std::string_view chain, std::string_view number, std::string_view insertion,
                    std::string_view atom, std::string_view alternate) {
    std::string text;
    for (const std::string_view part : {chain, number, insertion, atom, alternate})
        text.append(part).push_back('\x1f');
    return text;
}

} // namespace

// What both passes over the file keep while the grammar walks it.
struct CMmcifData::Parse {
    std::string text;
    int block = -1;
    int siteBlock = -1; // the block whose atom_site loop is read
    // An atom_site loop (or a CIF's _atom_site_ one) with fractional
    // coordinates and no Cartesian ones was seen.
    bool fractional = false;
    enum class LoopKind { kOther, kSites, kLinks, kHelices, kStrands } loop = LoopKind::kOther;
    std::vector<std::string> tags; // of the loop being read, lower case
    std::vector<int> columns;      // for each tag, the column read or -1
    std::size_t values = 0;        // in the loop being read
    Row row;
    // First pass: rows by model number in the order the numbers appear, and
    // (when bonds are read from the file) the disulfide and covalent links
    // of struct_conn as the keys of their two atoms, with their block.
    std::vector<std::pair<long long, int>> models;
    std::unordered_map<long long, std::size_t> modelIndex; // where each number is in models
    bool wantLinks = false;
    struct LinkedPair {
        int block;
        std::string one, two;
    };
    std::vector<LinkedPair> links;
    // The helices and strands of struct_conf and struct_sheet_range, with
    // their block.
    std::vector<std::pair<int, SecondaryRecord>> records;
    // Second pass: what becomes of each atom_site row.
    std::function<void(const Row&)> site;
    // A category of one row is written as tag-value pairs: the struct_conn
    // pairs of the block being read, as written.
    std::string pairTag;
    std::array<std::string, kLinkColumns> pairLink;
    bool hasPairLink = false;
    // Likewise a single helix or strand.
    std::array<std::string, kRangeColumns> pairHelix, pairStrand;
    bool hasPairHelix = false, hasPairStrand = false;

    // Where model number model is in models (rows come model by model, so
    // the last one found is tried first); false for a number not counted.
    bool IndexOfModel(long long model, std::size_t& index) {
        if (model == lastModel_ && lastIndex_ < models.size()) {
            index = lastIndex_;
            return true;
        }
        const auto found = modelIndex.find(model);
        if (found == modelIndex.end())
            return false;
        lastModel_ = model;
        index = lastIndex_ = found->second;
        return true;
    }

    void PairValue(std::string_view value) {
        constexpr std::string_view kPrefix = "_struct_conn.";
        if (site)
            return;
        for (const auto& [prefix, pair, has] :
             {std::tuple{kHelixPrefix, &pairHelix, &hasPairHelix},
              std::tuple{kStrandPrefix, &pairStrand, &hasPairStrand}}) {
            if (pairTag.compare(0, prefix.size(), prefix) != 0)
                continue;
            const auto name = std::find(kRangeTags.begin(), kRangeTags.end(),
                                        std::string_view(pairTag).substr(prefix.size()));
            if (name != kRangeTags.end()) {
                (*pair)[static_cast<std::size_t>(name - kRangeTags.begin())] = std::string(value);
                *has = true;
            }
            return;
        }
        if (pairTag.compare(0, kPrefix.size(), kPrefix) != 0)
            return;
        const auto name = std::find(kLinkTags.begin(), kLinkTags.end(),
                                    std::string_view(pairTag).substr(kPrefix.size()));
        if (name == kLinkTags.end())
            return;
        pairLink[static_cast<std::size_t>(name - kLinkTags.begin())] = std::string(value);
        hasPairLink = true;
    }
    // The block's struct_conn pairs as one link row.
    void EndBlock() {
        if (hasPairLink) {
            Row pairs;
            std::copy(pairLink.begin(), pairLink.end(), pairs.begin());
            AddLink(pairs);
        }
        pairLink = {};
        hasPairLink = false;
        for (const auto& [pair, has, kind] :
             {std::tuple{&pairHelix, &hasPairHelix, LoopKind::kHelices},
              std::tuple{&pairStrand, &hasPairStrand, LoopKind::kStrands}}) {
            if (*has) {
                Row pairs;
                std::copy(pair->begin(), pair->end(), pairs.begin());
                AddRecord(pairs, kind);
            }
            *pair = {};
            *has = false;
        }
    }

    // A loop's first value: which loop it is, and where its columns go.
    void StartValues() {
        loop = LoopKind::kOther;
        const auto fractions = [](const std::string& tag) {
            return tag == "_atom_site.fract_x" || tag == "_atom_site_fract_x";
        };
        if (std::any_of(tags.begin(), tags.end(), fractions))
            fractional = true;
        columns.assign(tags.size(), -1);
        const auto prefixed = [&](const char* prefix, const auto& names, LoopKind kind) {
            const std::string start(prefix);
            for (std::size_t t = 0; t < tags.size(); ++t) {
                if (tags[t].compare(0, start.size(), start) != 0)
                    return false;
                const auto name =
                    std::find(names.begin(), names.end(), tags[t].substr(start.size()));
                if (name != names.end())
                    columns[t] = static_cast<int>(name - names.begin());
            }
            loop = kind;
            return true;
        };
        if (!tags.empty() && prefixed("_atom_site.", kSiteTags, LoopKind::kSites)) {
            const auto has = [&](int column) {
                return std::find(columns.begin(), columns.end(), column) != columns.end();
            };
            if ((siteBlock >= 0 && siteBlock != block) || !has(kX) || !has(kY) || !has(kZ))
                loop = LoopKind::kOther;
            else
                siteBlock = block;
        } else if (!tags.empty() && !prefixed("_struct_conn.", kLinkTags, LoopKind::kLinks) &&
                   !prefixed(kHelixPrefix.data(), kRangeTags, LoopKind::kHelices) &&
                   !prefixed(kStrandPrefix.data(), kRangeTags, LoopKind::kStrands)) {
            loop = LoopKind::kOther;
        }
    }

    void Value(std::string_view value) {
        if (values == 0)
            StartValues();
        const std::size_t column = values++ % tags.size();
        if (loop == LoopKind::kOther)
            return;
        if (columns[column] >= 0)
            row[static_cast<std::size_t>(columns[column])] = value;
        if (column + 1 < tags.size())
            return;
        if (loop == LoopKind::kSites)
            Site();
        else if (loop == LoopKind::kLinks)
            Link();
        else if (!site)
            AddRecord(row, loop);
        row = Row();
    }

    void Site() {
        if (site) {
            site(row);
            return;
        }
        long long model = 0;
        if (!ModelOf(row, model))
            return; // counted as skipped when the atoms are read
        std::size_t index = 0;
        if (!IndexOfModel(model, index)) {
            index = models.size();
            modelIndex.emplace(model, index);
            models.emplace_back(model, 0);
        }
        ++models[index].second;
    }

    void Link() {
        if (!site)
            AddLink(row);
    }

    // A struct_conn row kept when it is a bond, as the atom keys of its two
    // partners (the author's chain and number where given, as for atoms).
    void AddLink(const Row& link) {
        const std::string_view type = Text(link[kType]);
        if (!wantLinks || (type != "disulf" && type != "covale"))
            return;
        const auto partner = [&](int asym, int labelAsym, int seq, int labelSeq, int ins, int name,
                                 int alt) {
            return AtomKey(Either(link, asym, labelAsym), Either(link, seq, labelSeq),
                           Text(link[static_cast<std::size_t>(ins)]),
                           Text(link[static_cast<std::size_t>(name)]),
                           Text(link[static_cast<std::size_t>(alt)]));
        };
        links.push_back({block,
                         partner(kAsym1, kLabelAsym1, kSeq1, kLabelSeq1, kIns1, kAtom1, kAlt1),
                         partner(kAsym2, kLabelAsym2, kSeq2, kLabelSeq2, kIns2, kAtom2, kAlt2)});
    }

    // A struct_conf row kept when it is a helix (its conf_type_id starts
    // HELX; the helix class tells 3₁₀ (5) and π (3) helices from the rest),
    // a struct_sheet_range row as a strand; the residues as for atoms, the
    // author's chain and number where given. (A file that gives its atoms
    // the author's ids and its helices only label ids names residues that
    // match none, and the record marks nothing.)
    void AddRecord(const Row& range, LoopKind kind) {
        SecondaryRecord record;
        if (kind == LoopKind::kHelices) {
            if (Text(range[kConfType]).substr(0, 4) != "HELX")
                return;
            const int helixClass = IntOf(range[kHelixClass], 1);
            record.code = helixClass == 5 ? 'G' : helixClass == 3 ? 'I' : 'H';
        } else {
            record.code = 'E';
        }
        record.chain.assign(Either(range, kBegAsym, kBegLabelAsym));
        if (record.chain != Either(range, kEndAsym, kEndLabelAsym) ||
            !TextScanner::ParseInt(Either(range, kBegSeq, kBegLabelSeq), record.firstNumber) ||
            !TextScanner::ParseInt(Either(range, kEndSeq, kEndLabelSeq), record.lastNumber))
            return;
        record.firstInsertion.assign(Text(range[kBegIns]));
        record.lastInsertion.assign(Text(range[kEndIns]));
        records.emplace_back(block, std::move(record));
    }

private:
    long long lastModel_ = 0;
    std::size_t lastIndex_ = SIZE_MAX;
};

namespace {

template <typename Rule> struct Action : pegtl::nothing<Rule> {};

template <> struct Action<rules::datablockheading> {
    template <typename Input> static void apply(const Input&, CMmcifData::Parse& parse) {
        parse.EndBlock();
        ++parse.block;
    }
};
template <> struct Action<rules::item_tag> {
    template <typename Input> static void apply(const Input& in, CMmcifData::Parse& parse) {
        parse.pairTag = TextScanner::Lower(std::string_view(in.begin(), in.size()));
    }
};
template <> struct Action<rules::item_value> {
    template <typename Input> static void apply(const Input& in, CMmcifData::Parse& parse) {
        parse.PairValue(std::string_view(in.begin(), in.size()));
    }
};
template <> struct Action<rules::str_loop> {
    template <typename Input> static void apply(const Input&, CMmcifData::Parse& parse) {
        parse.tags.clear();
        parse.values = 0;
        parse.row = Row();
    }
};
template <> struct Action<rules::loop_tag> {
    template <typename Input> static void apply(const Input& in, CMmcifData::Parse& parse) {
        parse.tags.push_back(TextScanner::Lower(std::string_view(in.begin(), in.size())));
    }
};
template <> struct Action<rules::loop_value> {
    template <typename Input> static void apply(const Input& in, CMmcifData::Parse& parse) {
        parse.Value(std::string_view(in.begin(), in.size()));
    }
};
template <> struct Action<rules::loop> {
    template <typename Input> static void apply(const Input& in, CMmcifData::Parse& parse) {
        if (!parse.tags.empty() && parse.values % parse.tags.size() != 0)
            throw pegtl::parse_error("Wrong number of values in the loop", in);
    }
};

// Walks the whole text with gemmi's grammar and the actions above.
void Walk(CMmcifData::Parse& parse) {
    parse.block = -1;
    pegtl::memory_input<> input(parse.text.data(), parse.text.size(), "mmCIF");
    pegtl::parse<rules::file, Action, gemmi::cif::Errors>(input, parse);
    parse.EndBlock();
}

} // namespace

CMmcifData::CMmcifData(StdioFile* in, CMolData& model) : model_(model), builder_(model), file(in) {}

std::unique_ptr<CMolData> CMmcifData::Read(StdioFile* in, const PdbOptions& options) {
    auto model = std::make_unique<CMolData>();
    CMmcifData(in, *model).ReadAll(options);
    return model;
}

void CMmcifData::ReadAll(const PdbOptions& options) {
    builder_.Load(
        &options, [this](std::vector<int>& rows) { Scan(rows); },
        [this](const std::vector<int>&) { ReadGeometries(); });
}

CMmcifData::~CMmcifData() = default;

void CMmcifData::Scan(std::vector<int>& frameRows) {
    parse_ = std::make_unique<Parse>();
    parse_->wantLinks = model_.bondsFromFile != 0;
    file->AppendRest(parse_->text);
    try {
        Walk(*parse_);
    } catch (const pegtl::parse_error& error) {
        model_.formatProblem = error.what();
        parse_.reset();
        return;
    }
    for (const auto& [block, record] : parse_->records) {
        if (block == parse_->siteBlock)
            model_.secondaryRecords.push_back(record);
    }
    std::vector<int> rows;
    for (const auto& model : parse_->models)
        rows.push_back(model.second);
    model_.onlyFractionalCoordinates = rows.empty() && parse_->fractional;
    if (rows.empty())
        return;
    model_.fileModels = rows.size() > 1 ? static_cast<int>(rows.size()) : 0;
    if (!std::all_of(rows.begin(), rows.end(), [&](int n) { return n == rows.front(); })) {
        rows.resize(1);
        parse_->models.resize(1);
    }
    frameRows = rows;
    model_.frameCount = static_cast<int>(rows.size());
    model_.atomCount = rows.front();
}

void CMmcifData::ReadGeometries() {
    if (model_.frameCount == 0 || parse_ == nullptr) {
        parse_.reset();
        return;
    }
    // The atoms the links name, found as the first model's rows go by.
    AtomKeys linked;
    for (const Parse::LinkedPair& link : parse_->links) {
        if (link.block == parse_->siteBlock) {
            linked.emplace(link.one, -1);
            linked.emplace(link.two, -1);
        }
    }
    const auto note = [&linked](const std::string& key, int index) {
        const auto found = linked.find(key);
        if (found != linked.end() && found->second < 0)
            found->second = index;
    };
    std::vector<ReadState> states(static_cast<std::size_t>(model_.frameCount));
    AtomFields atom;
    parse_->site = [&](const Row& row) {
        long long model = 0;
        std::size_t g = 0;
        if (!ModelOf(row, model)) {
            ++model_.skippedLines;
            return;
        }
        if (!parse_->IndexOfModel(model, g) || g >= static_cast<std::size_t>(model_.frameCount))
            return;
        if (!CoordinatesOf(row, atom.at)) {
            ++model_.skippedLines;
            return;
        }
        const std::string_view name = Either(row, kAuthAtom, kLabelAtom);
        if (!linked.empty() && g == 0) {
            const int index = states.front().atomIndex;
            const std::string_view chain = Either(row, kAuthAsym, kLabelAsym);
            const std::string_view number = Either(row, kAuthSeq, kLabelSeq);
            note(AtomKey(chain, number, Text(row[kInsCode]), name, Text(row[kAltId])), index);
            note(AtomKey(chain, number, Text(row[kInsCode]), name, {}), index);
        }
        const int typed = ElementTable::NumberOfSymbolNoCase(Text(row[kTypeSymbol]));
        atom.element = typed > 0 ? typed : ElementOfAtomName(name);
        atom.serial = IntOf(row[kId], -1);
        atom.hasSerial = atom.serial >= 0;
        if (!name.empty() && std::isdigit(static_cast<unsigned char>(name[0])))
            atom.label.assign(name.substr(1)).push_back(name[0]);
        else
            atom.label.assign(name);
        const std::string_view alternate = Text(row[kAltId]);
        if (!alternate.empty())
            atom.label.append(" ").append(alternate);
        atom.residueName.assign(Either(row, kAuthComp, kLabelComp));
        atom.residueLabel.assign(atom.residueName)
            .append(Either(row, kAuthSeq, kLabelSeq))
            .append(Text(row[kInsCode]));
        atom.chain.assign(Either(row, kAuthAsym, kLabelAsym));
        atom.residueNumber = IntOf(Either(row, kAuthSeq, kLabelSeq), 0);
        atom.insertion.assign(Text(row[kInsCode]));
        if (!TextScanner::ParseReal(Text(row[kBFactor]), atom.bFactor) ||
            !std::isfinite(atom.bFactor))
            atom.bFactor = 0.0;
        if (!TextScanner::ParseReal(Text(row[kOccupancy]), atom.occupancy) ||
            !std::isfinite(atom.occupancy))
            atom.occupancy = 1.0;
        atom.hetero = Text(row[kGroup]) == "HETATM";
        builder_.StoreAtom(atom, states[g], static_cast<int>(g));
    };
    Walk(*parse_); // it was walked without a fault before
    if (!linked.empty())
        ReadLinks(linked);
    parse_.reset();
    builder_.FinishModels(states);
}

// The disulfide and covalent links of struct_conn, as bonds of the first
// model's atoms (FinishModels gives them to the others). A link that names
// no alternate location finds the atom's first one.
void CMmcifData::ReadLinks(const AtomKeys& atoms) {
    CMolFrame& frame = model_.Frame(0);
    const auto addBond = [&frame](int from, int to) {
        MolAtom& atom = frame.Atom(from);
        if (atom.bondCount >= MolAtom::kMaxBonds ||
            std::find(atom.bonded, atom.bonded + atom.bondCount, to) !=
                atom.bonded + atom.bondCount)
            return;
        atom.bonded[atom.bondCount++] = to;
    };
    for (const Parse::LinkedPair& link : parse_->links) {
        if (link.block != parse_->siteBlock)
            continue;
        const int one = atoms.at(link.one), two = atoms.at(link.two);
        if (one < 0 || two < 0 || one == two || one >= frame.atomCount || two >= frame.atomCount)
            continue;
        addBond(one, two);
        addBond(two, one);
    }
}
