#pragma once

#include "model/CGraphAlgorithm.h"
#include "model/MolAtom.h"
#include "model/NormalMode.h"
#include "model/Point3D.h"
#include "model/ResidueId.h"
#include "model/StepConvergence.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// One geometry: its atoms and the per-geometry tables for connectivity,
// residues and backbone angles, as the file gave them (which of them are
// shown is the document's, see ResidueVisibility).
class ResidueNameTable;

class CMolFrame {
public:
    // Creates atomCount empty atom records.
    explicit CMolFrame(int atomCount);

    // Drops the atoms from index count on (before any table refers to them).
    void ShrinkTo(int count);

    // Copies every field and atom record of other (both have the same atom
    // count) except the normal modes: a copy is no frequency job's output.
    void CopyFrom(const CMolFrame& other);
    // Forgets what a job computed on the geometry (modes, step energy and
    // convergence): a copy describes itself as an input or a PDB model.
    void DropJobResults();
    // Takes the normal modes of a frequency job on this geometry (each with
    // one displacement per atom); the atoms hold the first one's
    // displacements, as drawing the arrows wants them.
    void TakeModes(std::vector<NormalMode> taken);

    MolAtom& Atom(int a) { return atoms[static_cast<std::size_t>(a)]; }
    const MolAtom& Atom(int a) const { return atoms[static_cast<std::size_t>(a)]; }
    Point3D Position(int a) const {
        const MolAtom& atom = Atom(a);
        return {atom.x, atom.y, atom.z};
    }

    // Residue name of an atom, entered into the frame's table of names.
    void SetResidueName(int a, const std::string& name);
    // The id of name in the frame's table, entered when it is new.
    int ResidueNameId(const std::string& name);
    // The residue name of atom a ("NON" for an atom of no residue).
    const std::string& ResidueName(int a) const;
    // Bonded list of one atom from a file's connectivity: the first 10
    // entries are kept, bondCount becomes count (at most 10).
    void SetBonds(int a, const int* partners, int count);

    // PDB serial numbers.
    void SetSerial(int serial, int a);
    // Index of the atom with a serial number, or -1.
    int IndexOfSerial(int serial) const;
    // Serial number of atom a, or -1 when it has none.
    int SerialOfAtom(int a) const;

    // Atom indices of residue r, in file order; an empty list is entered for
    // a new residue.
    std::vector<int>& ResidueAtomList(int r) { return residueAtoms[r]; }

    // Centre of the bounding box of the atoms with finite coordinates; also
    // notes whether any atom has a coordinate that is not finite.
    void ComputeCentre();

    CGraphAlgorithm graph;
    std::vector<MolAtom> atoms;
    // The names the atoms' residueNameId stand for, shared by the geometries
    // of one model (see CMolData); null while no atom names a residue beyond
    // the amino acids every table holds.
    std::shared_ptr<ResidueNameTable> residueNames;
    int atomCount = 0;
    int residueCount = 0;
    Point3D centre;
    // Set by ComputeCentre when an atom's position is not finite (readers
    // never store one; a model built otherwise may), so that drawing checks
    // positions only then.
    bool hasNonFinitePosition = false;
    std::map<int, std::vector<int>> residueAtoms;
    std::map<int, std::string> residueLabels;
    // Chain, number and insertion code of each residue by residue index, for
    // a model read from a structure file of proteins; empty for others.
    std::vector<ResidueId> residueIds;
    // By residue index, filled by SummariseResidues: the secondary structure
    // codes, the chain's order among the frame's chains, the place along the
    // chain from 0 to 1.
    // The codes drawn: those the file's records give (fromFile, where the
    // file has records) or those assigned from the backbone. Both have the
    // same residues outside the chains (0).
    const std::vector<char>& Secondary(bool fromFile) const {
        return fromFile && !fileSecondary.empty() ? fileSecondary : assignedSecondary;
    }
    // The two sources of the codes (see SummariseResidues): the codes
    // assigned from the backbone, and those the file's records give (' ' for
    // a chain residue none names; empty when the file has none).
    std::vector<char> assignedSecondary, fileSecondary;
    std::vector<int> chainOrdinal;
    std::vector<float> chainFraction;
    // The lowest and highest temperature factor of the atoms (low above
    // high when there are none).
    double bFactorLow = 1.0, bFactorHigh = 0.0;
    // The backbone analysis (see ComputeBackboneAngles): a cache filled the
    // first time it is asked for, so also in a model read only.
    mutable bool anglesComputed = false;
    mutable std::map<int, double> phiAngles;
    mutable std::map<int, double> psiAngles;
    mutable std::map<int, int> backboneAtoms;
    // The residue index of each analysed residue, by the key of its angles.
    mutable std::map<int, int> angleResidues;
    // The keys of the analysed residues whose phi or psi is measured across
    // a break in the chain (a neighbour of another chain, or no peptide
    // bond to it): angles of no conformation, which the plot leaves out.
    mutable std::set<int> anglesAcrossBreaks;
    // The normal modes of the frequency job that ran on this geometry, in
    // the order printed; empty for other geometries.
    std::vector<NormalMode> modes;
    // What a Gaussian output prints for the step of this geometry: its energy
    // in hartree (NaN when it prints none) and its convergence table.
    double energy = NormalMode::kNotPrinted;
    StepConvergence convergence;

private:
    std::map<int, int> serialToIndex_;
    // atom index → serial, rebuilt from serialToIndex_ when needed.
    mutable std::vector<int> serialOfAtom_;
    mutable bool serialsDirty_ = false;
};
