#include "tests/support/GeneratedMolecules.h"

#include "model/CMolData.h"
#include "model/ElementTable.h"

#include <cmath>
#include <cstdio>
#include <random>

namespace {

void AssignResidues(CMolFrame& frame, int atomsPerResidue) {
    for (int a = 0; a < frame.atomCount; ++a) {
        const int r = a / atomsPerResidue;
        frame.Atom(a).residueIndex = r;
        frame.ResidueAtomList(r).push_back(a);
        frame.residueCount = r + 1;
    }
}

} // namespace

std::unique_ptr<CMolFrame> MakeProteinLike(int atomCount, unsigned seed) {
    static const int kPattern[8] = {7, 6, 6, 8, 6, 6, 6, 8};
    auto frame = std::make_unique<CMolFrame>(atomCount);
    std::mt19937 random(seed);
    std::normal_distribution<double> gauss(0.0, 1.0);
    // About 0.05 heavy atoms per Å³, as in a folded protein.
    const double radius = std::cbrt(3.0 * atomCount / (4.0 * M_PI * 0.05)) + 2.0;
    double p[3] = {0, 0, 0};
    double dir[3] = {1, 0, 0};
    for (int a = 0; a < atomCount; ++a) {
        MolAtom& atom = frame->Atom(a);
        atom.x = p[0], atom.y = p[1], atom.z = p[2];
        atom.element = kPattern[a % 8];
        // Next direction: the previous one bent at random, turned inwards
        // when the chain would leave the sphere.
        double next[3];
        double length = 0.0;
        for (int k = 0; k < 3; ++k) {
            next[k] = dir[k] + 1.2 * gauss(random);
            length += next[k] * next[k];
        }
        length = std::sqrt(length);
        double outward = 0.0;
        for (int k = 0; k < 3; ++k) {
            next[k] /= length;
            outward += next[k] * p[k];
        }
        const double distance = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
        if (distance > radius && outward > 0.0) {
            for (int k = 0; k < 3; ++k)
                next[k] -= 2.0 * outward * p[k] / (distance * distance);
        }
        for (int k = 0; k < 3; ++k) {
            dir[k] = next[k];
            p[k] += 1.5 * next[k];
        }
    }
    AssignResidues(*frame, 8);
    return frame;
}

std::unique_ptr<CMolFrame> MakeRandomCloud(int atomCount, double density, unsigned seed) {
    static const int kElements[7] = {1, 6, 7, 8, 16, 15, 17};
    auto frame = std::make_unique<CMolFrame>(atomCount);
    std::mt19937 random(seed);
    const double side = std::cbrt(atomCount / density);
    std::uniform_real_distribution<double> coordinate(-side / 2, side / 2);
    std::uniform_int_distribution<int> element(0, 6);
    for (MolAtom& atom : frame->atoms) {
        atom.x = coordinate(random);
        atom.y = coordinate(random);
        atom.z = coordinate(random);
        atom.element = kElements[element(random)];
    }
    AssignResidues(*frame, 5);
    return frame;
}

std::string ProteinLikePdb(int atomCount, unsigned seed) {
    static const char* const kNames[8] = {" N  ", " CA ", " C  ", " O  ",
                                          " CB ", " CG ", " CD ", " OE1"};
    auto frame = MakeProteinLike(atomCount, seed);
    std::string text = "HEADER    GENERATED PROTEIN-LIKE CHAIN\n";
    char line[100];
    for (int a = 0; a < atomCount; ++a) {
        const MolAtom& atom = frame->Atom(a);
        std::snprintf(line, sizeof line,
                      "ATOM  %5d %-4s GLU %c%4d    %8.3f%8.3f%8.3f  1.00  0.00          %2s\n",
                      a % 99999 + 1, kNames[a % 8], 'A' + (a / 80000), (a / 8) % 10000, atom.x,
                      atom.y, atom.z, ElementTable::Symbol(atom.element));
        text += line;
    }
    return text + "END\n";
}

std::string ProteinLikeMmcif(int atomCount, int chains, unsigned seed) {
    static const char* const kNames[8] = {"N", "CA", "C", "O", "CB", "CG", "CD", "OE1"};
    auto frame = MakeProteinLike(atomCount, seed);
    std::string text = "data_GENERATED\n_entry.id GENERATED\nloop_\n";
    for (const char* column :
         {"group_PDB", "id", "type_symbol", "label_atom_id", "label_alt_id", "label_comp_id",
          "label_asym_id", "label_seq_id", "pdbx_PDB_ins_code", "Cartn_x", "Cartn_y", "Cartn_z",
          "occupancy", "B_iso_or_equiv", "auth_seq_id", "auth_asym_id", "pdbx_PDB_model_num"})
        text.append("_atom_site.").append(column).append("\n");
    char line[160];
    for (int a = 0; a < atomCount; ++a) {
        const MolAtom& atom = frame->Atom(a);
        const int chain = static_cast<int>(static_cast<long long>(a) * chains / atomCount) + 1;
        const int residue = a / 8 + 1;
        std::snprintf(line, sizeof line,
                      "ATOM %d %s %s . GLU C%d %d ? %.3f %.3f %.3f 1.00 0.00 %d C%d 1\n", a + 1,
                      ElementTable::Symbol(atom.element), kNames[a % 8], chain, residue, atom.x,
                      atom.y, atom.z, residue, chain);
        text += line;
    }
    return text;
}

void GiveRandomDisplacements(CMolData& model, double largest, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> step(-largest, largest);
    CMolFrame& frame = *model.GetFrame(0);
    for (int a = 0; a < frame.atomCount; ++a) {
        frame.Atom(a).dx = step(random);
        frame.Atom(a).dy = step(random);
        frame.Atom(a).dz = step(random);
    }
    model.vibrationState = CMolData::kVibrationPresent;
}
