// PDBx/mmCIF files: gemmi parses the CIF text; the atom_site loop gives the
// atoms. Where files are ambiguous, this reader decides:
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
// - The first data block with an atom_site loop is read; a file the CIF
//   parser refuses gives no molecule, with the parser's message.

#include "formats/CMmcifData.h"

#include "formats/PdbOptions.h"
#include "io/StdioFile.h"
#include "model/ElementTable.h"
#include "model/TextScanner.h"

#include <gemmi/cif.hpp>
#include <gemmi/numb.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace cif = gemmi::cif;

namespace {

// atom_site columns, in the order asked for.
enum Column {
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
};

const std::vector<std::string> kColumns = {
    "Cartn_x",
    "Cartn_y",
    "Cartn_z",
    "?id",
    "?type_symbol",
    "?label_atom_id",
    "?auth_atom_id",
    "?label_alt_id",
    "?label_comp_id",
    "?auth_comp_id",
    "?label_asym_id",
    "?auth_asym_id",
    "?label_seq_id",
    "?auth_seq_id",
    "?pdbx_PDB_ins_code",
    "?pdbx_PDB_model_num",
};

// The value in column first, or in second when first is missing or null;
// empty when neither has one.
std::string ValueOf(const cif::Table::Row& row, int first, int second = -1) {
    if (row.has2(static_cast<std::size_t>(first)))
        return cif::as_string(row[static_cast<std::size_t>(first)]);
    if (second >= 0 && row.has2(static_cast<std::size_t>(second)))
        return cif::as_string(row[static_cast<std::size_t>(second)]);
    return {};
}

// A whole number, or fallback when the value is none (null, not a number,
// beyond the integers).
int IntOf(const cif::Table::Row& row, int column, int fallback) {
    int value = 0;
    return TextScanner::ParseInt(ValueOf(row, column), value) ? value : fallback;
}

int ModelOf(const cif::Table::Row& row) {
    return IntOf(row, kModel, 1);
}

// An atom name's element when no type_symbol says it: the longest symbol
// the name starts with (two letters, then one), in any case.
int ElementOfAtomName(const std::string& name) {
    std::string letters;
    for (char c : name) {
        if (!std::isalpha(static_cast<unsigned char>(c)))
            break;
        letters += c;
    }
    for (std::size_t length = std::min<std::size_t>(2, letters.size()); length > 0; --length) {
        const int element = ElementTable::NumberOfSymbolNoCase(letters.substr(0, length));
        if (element > 0)
            return element;
    }
    return 0;
}

} // namespace

struct CMmcifData::Parsed {
    cif::Document document;
    cif::Block* block = nullptr;
    // The model number of each geometry, in file order.
    std::vector<int> models;
};

CMmcifData::CMmcifData(StdioFile* in, const PdbOptions* options) {
    LoadPdbModel(in, options);
}

CMmcifData::~CMmcifData() = default;

void CMmcifData::Scan() {
    StartScan();
    parsed_ = std::make_unique<Parsed>();
    std::string text;
    file->AppendRest(text);
    try {
        parsed_->document = cif::read_memory(text.data(), text.size(), "mmCIF");
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& error) {
        formatProblem = error.what();
        parsed_.reset();
        return;
    }
    text = std::string();
    for (cif::Block& block : parsed_->document.blocks) {
        if (block.find("_atom_site.", kColumns).ok()) {
            parsed_->block = &block;
            break;
        }
    }
    if (parsed_->block == nullptr)
        return;
    // Rows by model number, in the order the numbers first appear.
    std::vector<int> rows;
    std::map<int, std::size_t> index;
    for (const cif::Table::Row& row : parsed_->block->find("_atom_site.", kColumns)) {
        const auto [at, added] = index.emplace(ModelOf(row), rows.size());
        if (added) {
            parsed_->models.push_back(at->first);
            rows.push_back(0);
        }
        ++rows[at->second];
    }
    if (rows.empty())
        return;
    fileModels = rows.size() > 1 ? static_cast<int>(rows.size()) : 0;
    if (!std::all_of(rows.begin(), rows.end(), [&](int n) { return n == rows.front(); })) {
        rows.resize(1);
        parsed_->models.resize(1);
    }
    frameRows = rows;
    frameCount = static_cast<int>(rows.size());
    atomCount = rows.front();
}

int CMmcifData::ReadGeometries() {
    if (frameCount == 0 || parsed_ == nullptr || parsed_->block == nullptr) {
        parsed_.reset();
        return 0;
    }
    std::map<int, int> geometryOf;
    for (std::size_t g = 0; g < parsed_->models.size(); ++g)
        geometryOf[parsed_->models[g]] = static_cast<int>(g);
    std::vector<ReadState> states(static_cast<std::size_t>(frameCount));
    AtomFields atom;
    for (const cif::Table::Row& row : parsed_->block->find("_atom_site.", kColumns)) {
        const auto model = geometryOf.find(ModelOf(row));
        if (model == geometryOf.end())
            continue;
        atom.at = {gemmi::cif::as_number(row[kX]), gemmi::cif::as_number(row[kY]),
                   gemmi::cif::as_number(row[kZ])};
        if (!std::isfinite(atom.at.x) || !std::isfinite(atom.at.y) || !std::isfinite(atom.at.z)) {
            ++skippedLines;
            continue;
        }
        const std::string name = ValueOf(row, kAuthAtom, kLabelAtom);
        const int typed = ElementTable::NumberOfSymbolNoCase(ValueOf(row, kTypeSymbol));
        atom.element = typed > 0 ? typed : ElementOfAtomName(name);
        atom.serial = IntOf(row, kId, -1);
        atom.hasSerial = atom.serial >= 0;
        if (!name.empty() && std::isdigit(static_cast<unsigned char>(name[0])))
            atom.label = name.substr(1) + name[0];
        else
            atom.label = name;
        const std::string alternate = ValueOf(row, kAltId);
        if (!alternate.empty())
            atom.label += ' ' + alternate;
        atom.residueName = ValueOf(row, kAuthComp, kLabelComp);
        atom.residueLabel =
            atom.residueName + ValueOf(row, kAuthSeq, kLabelSeq) + ValueOf(row, kInsCode);
        StoreAtom(atom, states[static_cast<std::size_t>(model->second)], model->second);
    }
    if (bondsFromFile != 0)
        ReadLinks();
    parsed_.reset();
    FinishModels(states);
    return atomCount;
}

// The disulfide and covalent links of struct_conn, as bonds of the first
// model's atoms (FinishModels gives them to the others).
void CMmcifData::ReadLinks() {
    const auto key = [](const std::string& chain, const std::string& number,
                        const std::string& insertion, const std::string& atom,
                        const std::string& alternate) {
        return chain + '\x1f' + number + '\x1f' + insertion + '\x1f' + atom + '\x1f' + alternate;
    };
    std::map<std::string, int> atoms;
    int a = 0;
    const int firstModel = parsed_->models.front();
    for (const cif::Table::Row& row : parsed_->block->find("_atom_site.", kColumns)) {
        if (ModelOf(row) != firstModel)
            continue;
        if (!std::isfinite(cif::as_number(row[kX])) || !std::isfinite(cif::as_number(row[kY])) ||
            !std::isfinite(cif::as_number(row[kZ])))
            continue;
        atoms.emplace(key(ValueOf(row, kAuthAsym, kLabelAsym), ValueOf(row, kAuthSeq, kLabelSeq),
                          ValueOf(row, kInsCode), ValueOf(row, kAuthAtom, kLabelAtom),
                          ValueOf(row, kAltId)),
                      a++);
    }
    const std::vector<std::string> columns = {"conn_type_id",
                                              "ptnr1_auth_asym_id",
                                              "?ptnr1_label_asym_id",
                                              "ptnr1_auth_seq_id",
                                              "?ptnr1_label_seq_id",
                                              "?pdbx_ptnr1_PDB_ins_code",
                                              "ptnr1_label_atom_id",
                                              "?pdbx_ptnr1_label_alt_id",
                                              "ptnr2_auth_asym_id",
                                              "?ptnr2_label_asym_id",
                                              "ptnr2_auth_seq_id",
                                              "?ptnr2_label_seq_id",
                                              "?pdbx_ptnr2_PDB_ins_code",
                                              "ptnr2_label_atom_id",
                                              "?pdbx_ptnr2_label_alt_id"};
    CMolFrame& frame = Frame(0);
    const auto addBond = [&frame](int from, int to) {
        MolAtom& atom = frame.Atom(from);
        if (atom.bondCount >= MolAtom::kMaxBonds ||
            std::find(atom.bonded, atom.bonded + atom.bondCount, to) !=
                atom.bonded + atom.bondCount)
            return;
        atom.bonded[atom.bondCount++] = to;
    };
    cif::Table links = parsed_->block->find("_struct_conn.", columns);
    if (!links.ok())
        return;
    for (const cif::Table::Row& row : links) {
        const std::string type = cif::as_string(row[0]);
        if (type != "disulf" && type != "covale")
            continue;
        const auto partner = [&](int first) {
            const auto found = atoms.find(
                key(ValueOf(row, first, first + 1), ValueOf(row, first + 2, first + 3),
                    ValueOf(row, first + 4), ValueOf(row, first + 5), ValueOf(row, first + 6)));
            return found != atoms.end() ? found->second : -1;
        };
        const int one = partner(1);
        const int two = partner(8);
        if (one < 0 || two < 0 || one == two || one >= frame.atomCount || two >= frame.atomCount)
            continue;
        addBond(one, two);
        addBond(two, one);
    }
}
