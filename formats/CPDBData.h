#pragma once

#include "model/CMolData.h"

#include <string>
#include <string_view>
#include <vector>

struct PdbOptions;

// The molecule model of a PDB file: a geometry with an atom for every ATOM
// and HETATM record (one geometry per model of an ensemble whose models hold
// the same atoms), residues from residue name, number and insertion code,
// bonds from CONECT records or from distances. Residue selection, backbone
// angles and plot data work on this model.
class CPDBData : public CMolData {
public:
    // Reads the open file. options: CONECT records or distances for the
    // bonds, and the perception mode (defaults when null).
    CPDBData(StdioFile* in, const PdbOptions* options);
    // An empty model, to be assigned to.
    CPDBData() = default;

    CMolData& Assign(const CMolData& other) override { return AssignAs(other, kPdbCopy); }
    void Scan() override;
    int ReadGeometries() override;
    // "serial label residue-name residue-number", for example "17 CA ALA1".
    const char* GetAtomDescription(int g, int a) override;
    void SetSelectedResidues(const std::vector<int>& residues, int g) override;
    void AddResidueLabel(int residue, std::string label, int g) override;
    int ApplyResidueSelection(int mode, int g) override;
    bool ComputeBackboneAngles(int g) override;
    void WriteRamachandranData(StdioFile* out) override;

protected:
    // The constructor's work, for this class and those reading other
    // layouts into the same model: options (defaults when null), Load, the
    // first geometry shown.
    void LoadPdbModel(StdioFile* in, const PdbOptions* options);
    // Scan's start: the kind fields of a PDB model, no geometry yet.
    void StartScan();
    // One atom as a structure file gives it.
    struct AtomFields {
        int element = 0;
        Point3D at;
        bool hasSerial = false;
        int serial = 0;
        std::string label;        // atom name (leading digit moved last) and alternate location
        std::string residueName;  // as written
        std::string residueLabel; // name, number and insertion code: "SER52A"
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
    // Stores the record as the next atom of geometry g; false, storing
    // nothing, when it holds no coordinates.
    bool ReadAtomRecord(std::string_view line, ReadState& state, int g);
    void ReadConectRecord(std::string_view line);
    // The record's coordinates; false when it holds none.
    static bool ReadCoordinates(std::string_view line, std::string_view numberWord, Point3D& at);
};
