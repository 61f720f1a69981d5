#pragma once

#include "model/CMolData.h"
#include "model/Point3D.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct PdbOptions;

// Builds the model of a structure file of proteins atom by atom: residues
// from chain, residue name, number and insertion code, one geometry per model of an
// ensemble whose models hold the same atoms. The PDB and mmCIF readers fill
// their model through one.
class PdbModelBuilder {
public:
    explicit PdbModelBuilder(CMolData& model) : model_(model) {}

    // The reading order of both readers: options (defaults when null) are
    // noted, the model is emptied and given the kind fields of a PDB model,
    // scan counts the atom records of each geometry into rows, the
    // geometries are made, read stores their atoms (with rows at hand), then
    // the empty ones go, bonds come from distances unless the file's own were
    // asked for, and the first geometry is shown (as the file lists it
    // first).
    void Load(const PdbOptions* options, const std::function<void(std::vector<int>& rows)>& scan,
              const std::function<void(const std::vector<int>& rows)>& read);

    // One atom as a structure file gives it.
    struct AtomFields {
        int element = 0;
        Point3D at;
        bool hasSerial = false;
        int serial = 0;
        std::string label;        // atom name (leading digit moved last) and alternate location
        std::string residueName;  // as written
        std::string residueLabel; // name, number and insertion code: "SER52A"
        std::string chain;        // empty when the file names none
        int residueNumber = 0;
        std::string insertion;
        double bFactor = 0.0;
        double occupancy = 1.0;
        bool hetero = false;
    };
    // Residue numbers written as asterisks because they outgrew their field:
    // the first such atom starts a counter, and every later overflowed atom
    // that carries the first one's label (usually N) opens the next residue.
    class OverflowNumbers {
    public:
        int Next(std::string_view word, const std::string& label);

    private:
        bool started_ = false;
        std::string firstLabel_;
        int counter_ = 0;
    };
    // What storing atoms remembers from atom to atom, for one geometry.
    struct ReadState {
        int atomIndex = 0;
        int residueIndex = -1;
        int residueCount = 0;
        std::string previousLabel; // residue label of the atom before
        std::string previousChain; // chain of the atom before
        std::string previousName;  // residue name of the atom before, and its id
        int previousNameId = 0;
        OverflowNumbers overflow;
    };
    // Stores atom as the next atom of geometry g, with its residue.
    void StoreAtom(const AtomFields& atom, ReadState& state, int g);
    // After every geometry has been read (each one model of the file): keeps
    // them all when they hold the same atoms in the same order, else only
    // the first. Sets the residue counts from the states.
    void FinishModels(const std::vector<ReadState>& states);

private:
    CMolData& model_;
};
