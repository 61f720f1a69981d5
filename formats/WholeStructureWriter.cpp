#include "formats/WholeStructureWriter.h"

#include "formats/WrittenGeometry.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "model/ElementTable.h"

// gemmi writes the records (the PDB format's columns, mmCIF's categories
// and entities); its writers' definitions are compiled here, once.
#define GEMMI_WRITE_IMPLEMENTATION
#include <gemmi/model.hpp>
#include <gemmi/polyheur.hpp>
#include <gemmi/to_cif.hpp>
#include <gemmi/to_mmcif.hpp>
#include <gemmi/to_pdb.hpp>

#include <sstream>

namespace {

// The geometries written: every model of an ensemble, else the one given.
std::vector<int> FramesOf(const CMolData& mol, int frame) {
    std::vector<int> frames;
    if (mol.fileModels > 1 && mol.frameCount > 1) {
        for (int g = 0; g < mol.frameCount; ++g)
            frames.push_back(g);
    } else if (frame >= 0 && frame < mol.frameCount) {
        frames.push_back(frame);
    }
    return frames;
}

gemmi::Model ModelOf(const CMolData& mol, int g, const std::vector<char>* keep, bool mmcif) {
    const CMolFrame& frame = mol.Frame(g);
    gemmi::Model model(std::to_string(g + 1));
    const bool residues = !frame.residueIds.empty();
    int lastResidue = -1;
    for (int a = 0; a < frame.atomCount; ++a) {
        if (keep != nullptr && (static_cast<std::size_t>(a) >= keep->size() ||
                                (*keep)[static_cast<std::size_t>(a)] == 0))
            continue;
        const MolAtom& source = frame.Atom(a);
        const int r = residues ? source.residueIndex : 0;
        ResidueId id = residues && r >= 0 && r < static_cast<int>(frame.residueIds.size())
                           ? frame.residueIds[static_cast<std::size_t>(r)]
                           : ResidueId{"A", 1, "", "UNL"};
        // mmCIF needs a chain name; a PDB file may leave it blank.
        if (id.chain.empty() && mmcif)
            id.chain = "A";
        if (model.chains.empty() || model.chains.back().name != id.chain) {
            model.chains.emplace_back(id.chain);
            lastResidue = -1;
        }
        gemmi::Chain& chain = model.chains.back();
        if (r != lastResidue || chain.residues.empty()) {
            gemmi::Residue residue;
            residue.name = id.name;
            residue.seqid = gemmi::SeqId(id.number, id.insertion.empty() ? ' ' : id.insertion[0]);
            residue.het_flag = source.hetero ? 'H' : 'A';
            chain.residues.push_back(std::move(residue));
            lastResidue = r;
        }
        gemmi::Atom atom;
        const std::string label = source.label;
        const std::size_t blank = label.find(' ');
        atom.name = label.substr(0, blank);
        if (blank != std::string::npos && blank + 1 < label.size())
            atom.altloc = label[blank + 1];
        atom.element = gemmi::Element(ElementTable::ChemistsSymbol(source.element).c_str());
        atom.pos = gemmi::Position(source.x, source.y, source.z);
        atom.occ = static_cast<float>(source.occupancy);
        atom.b_iso = static_cast<float>(source.bFactor);
        const int serial = frame.SerialOfAtom(a);
        atom.serial = serial >= 0 ? serial : a + 1;
        chain.residues.back().atoms.push_back(std::move(atom));
    }
    return model;
}

bool Refuse(std::string* refusal, const std::string& why) {
    if (refusal != nullptr)
        *refusal = why;
    return false;
}

bool WriteText(const std::string& text, StdioFile* file) {
    return file->WriteString(text) && !file->HasWriteError();
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find('.');
    name = name.substr(0, dot);
    return name.empty() ? std::string("ravek") : name;
}

} // namespace

bool WholeStructureWriter::Text(const CMolData& mol, int frame, const std::vector<char>* keep,
                                Layout layout, const std::string& name, std::string& text,
                                std::string* refusal) {
    const bool mmcif = layout == Layout::kMmcif;
    gemmi::Structure structure;
    structure.name = name.empty() ? std::string("ravek") : name;
    std::size_t atoms = 0;
    for (const int g : FramesOf(mol, frame)) {
        structure.models.push_back(ModelOf(mol, g, keep, mmcif));
        std::size_t sites = 0;
        for (const gemmi::Chain& chain : structure.models.back().chains)
            for (const gemmi::Residue& residue : chain.residues)
                sites += residue.atoms.size();
        atoms = std::max(atoms, sites);
    }
    if (atoms == 0)
        return Refuse(refusal, "there is no atom to write");
    if (!mmcif) {
        if (atoms > 99999)
            return Refuse(refusal, "a PDB file holds at most 99,999 atoms a model; save the "
                                   "structure as PDBx/mmCIF");
        for (const gemmi::Chain& chain : structure.models.front().chains) {
            if (chain.name.size() > 2)
                return Refuse(refusal, "chain " + chain.name +
                                           " has a name longer than a PDB file holds; save the "
                                           "structure as PDBx/mmCIF");
        }
    }
    // Entities and their polymer types: what TER records and mmCIF's
    // label_asym_id and entity categories are made from.
    gemmi::setup_entities(structure);
    std::ostringstream out;
    if (mmcif) {
        // With group_PDB, so that readers tell HETATM records apart.
        gemmi::MmcifOutputGroups groups(true);
        groups.group_pdb = true;
        const gemmi::cif::Document document = gemmi::make_mmcif_document(structure, groups);
        gemmi::cif::write_cif_to_stream(out, document, gemmi::cif::Style::PreferPairs);
    } else {
        gemmi::PdbWriteOptions options;
        options.seqres_records = false;
        options.cryst1_record = false;
        gemmi::write_pdb(structure, out, options);
    }
    text = out.str();
    return true;
}

bool WholeStructureWriter::WritePdb(const CMolData& mol, const WrittenGeometry& what,
                                    StdioFile* file, const std::string& path,
                                    std::string* refusal) {
    std::string text;
    return Text(mol, what.frame, nullptr, Layout::kPdb, BaseName(path), text, refusal) &&
           WriteText(text, file);
}

bool WholeStructureWriter::WriteMmcif(const CMolData& mol, const WrittenGeometry& what,
                                      StdioFile* file, const std::string& path,
                                      std::string* refusal) {
    std::string text;
    return Text(mol, what.frame, nullptr, Layout::kMmcif, BaseName(path), text, refusal) &&
           WriteText(text, file);
}
