#pragma once

#include "formats/GaussianInputReader.h"
#include "model/CMolData.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class BestRotation;
struct PdbOptions;

// The molecule model of a Gaussian file: every geometry table of an output
// file (with the first normal mode of its frequency job), or the Cartesian
// geometry of an input file (Cartesian or Z-matrix).
class CGauData : public CMolData {
public:
    // Reads the open file: Scan, the geometries, bonds in the general mode and
    // the centres. The options are not used; the PDB reader takes the same
    // arguments.
    CGauData(StdioFile* in, const PdbOptions* options);
    // An empty model, to be assigned to.
    CGauData() = default;

    CMolData& Assign(const CMolData& other) override { return AssignAs(other, kGaussianCopy); }
    void Scan() override;
    int ReadGeometries() override;
    const char* GetAtomDescription(int g, int a) override { return GetLabel(g, a); }
    void SetSelectedResidues(const std::vector<int>&, int) override {}
    void AddResidueLabel(int, std::string, int) override {}
    int ApplyResidueSelection(int, int) override { return 0; }
    bool ComputeBackboneAngles(int) override { return false; }
    void WriteRamachandranData(StdioFile*) override {}

private:
    struct ScanState;
    bool IsRouteLine(ScanState& state, const char* line);
    void ScanInput();
    void ScanTable(ScanState& state, const char* line);
    void ScanVibration(ScanState& state, const char* line);
    void ScanOrientation(ScanState& state, const char* line);
    void ScanStep(ScanState& state, const char* line);
    void FinishOutputScan(const ScanState& state);

    void ReadOutputGeometries();
    void ReadDisplacements();
    void ReadModes();
    bool StandardToInput(int g, std::int64_t offset, BestRotation& rotation);
    void ReadInputGeometry();

    // An input file's atoms, from Scan to ReadGeometries.
    std::vector<GaussianInputReader::Atom> inputAtoms_;
    int inputSkippedLines_ = 0;
    // What each geometry's step printed, from Scan to ReadGeometries.
    struct StepValues {
        double energy = NormalMode::kNotPrinted;
        StepConvergence convergence;
    };
    std::vector<StepValues> frameSteps_;
    // Where each block of normal modes starts, from Scan to ReadGeometries.
    std::vector<std::int64_t> modeBlocks_;
    // Where the rows of every standard orientation table start (after its
    // column header), geometry or not.
    std::vector<std::int64_t> standardTables_;
};
