#pragma once

#include "formats/GaussianInputReader.h"
#include "formats/GaussianResultsScanner.h"
#include "model/CMolData.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class BestRotation;
class StdioFile;
struct PdbOptions;

// The reader of Gaussian files: fills a model with every geometry table of
// an output file (with the normal modes of its frequency job), or with the
// Cartesian geometry of an input file (Cartesian or Z-matrix). Kept beside
// the model it filled, it reads what a running job appends to its output.
class CGauData {
public:
    // Reads the open file into model (whatever model held is replaced):
    // Scan, the geometries, bonds in the general mode and the centres. The
    // options are not used; the other readers take the same arguments. The
    // reader keeps a reference to model for ReadAppended.
    CGauData(StdioFile* in, CMolData& model, const PdbOptions* options);
    CGauData(const CGauData&) = delete;
    CGauData& operator=(const CGauData&) = delete;
    ~CGauData();

    // What another look at an output file still being written found.
    struct Growth {
        // The file shrank, was replaced or is no output read this way: it
        // must be read again from its start.
        bool readAgain = false;
        // Whole lines were added, a geometry appeared or the job's end
        // changed: steps, termination or modes may differ.
        bool changed = false;
        int newFrames = 0; // geometries appended at the end
    };
    // Reads what has been added to the output file this model was read from
    // since the last look: in is that file, opened again. Only the new bytes
    // are scanned (a table still being printed is not a geometry until it is
    // closed); new geometries get their bonds (general mode) and centres, the
    // existing ones keep everything but their step values. A model read from
    // an input always needs reading again.
    Growth ReadAppended(StdioFile* in);
    // The model this reader fills.
    const CMolData& Model() const { return model_; }

private:
    // The two passes: where the geometries are and how large, then their
    // rows.
    void Scan();
    void ReadGeometries();
    struct ScanState;
    struct Table;
    bool ScanLines(ScanState& state, std::int64_t completeEnd);
    bool IsRouteLine(ScanState& state, const char* line);
    void ScanInput();
    void ScanTable(ScanState& state, const char* line);
    void ScanVibration(ScanState& state, const char* line);
    void ScanOrientation(ScanState& state, const char* line);
    void ScanStep(ScanState& state, const char* line, bool whole);
    // The tables scanned and the job's end as the scan leaves them.
    void TakeScan(const ScanState& state);
    void FinishOutputScan(const ScanState& state);
    // The geometry tables among the tables scanned: closed, with rows.
    std::vector<std::size_t> GeometryTables() const;
    // Sets each geometry's energy and convergence from the table it was read
    // from.
    void SetStepValues();

    void ReadOutputGeometries();
    int ReadTableRows(CMolFrame& frame, std::int64_t position);
    void ReadDisplacements();
    void ReadModes();
    std::int64_t WholeEnd() const;
    bool StandardToInput(int g, std::int64_t offset, BestRotation& rotation);
    void ReadInputGeometry();
    void TakeResults();
    std::vector<bool> TabledAtoms() const;

    CMolData& model_;
    StdioFile* file = nullptr; // the file being read, during a call only
    // Atom rows of each geometry as the first pass counted them.
    std::vector<int> frameRows;

    // An input file's atoms, from Scan to ReadGeometries.
    std::vector<GaussianInputReader::Atom> inputAtoms_;
    int inputSkippedLines_ = 0;
    // Every orientation table scanned, geometry or not, in file order, with
    // what its step printed after it.
    std::vector<Table> tables_;
    GaussianResultsScanner scannedResults_;
    // How many of the geometry tables have been read into geometries.
    std::size_t tablesRead_ = 0;
    // The row layout, from the version or the first row read.
    int rowFormat_ = 0;
    // By table position, the atoms (indices) of a geometry table read whose
    // atomic numbers are negative; tables without such atoms are not kept.
    std::map<std::int64_t, std::vector<int>> untabled_;
    // Where each block of normal modes starts, from Scan to ReadGeometries,
    // then the blocks whose end has not been printed yet: read again after
    // the next look, until something printed after them shows them whole.
    std::vector<std::int64_t> modeBlocks_;
    // By geometry (its table's position), the numbers of the modes read.
    std::map<std::int64_t, std::set<int>> modeNumbers_;
    // Whether the first mode's displacement table has been read whole.
    bool displacementsWhole_ = false;
    // Where the rows of every standard orientation table start (after its
    // column header), geometry or not.
    std::vector<std::int64_t> standardTables_;

    // Where scanning an output goes on when it grows: the state after its
    // last complete line, the offset after that line, the file's first bytes
    // and those before the offset (to see that it is still the same file),
    // and how large the file was when last scanned.
    std::unique_ptr<ScanState> resume_;
    std::int64_t resumeAt_ = 0;
    std::string firstBytes_;
    std::string bytesBeforeResume_;
    std::int64_t scannedSize_ = 0;
};
