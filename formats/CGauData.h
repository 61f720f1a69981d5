#pragma once

#include "formats/FollowedFile.h"
#include "formats/GaussianInputReader.h"
#include "formats/GaussianPathScanner.h"
#include "formats/GaussianResultsScanner.h"
#include "formats/LogGrowth.h"
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
// Cartesian geometry of an input file (Cartesian or Z-matrix). What it
// keeps of its reading lets a GaussianLogFollower read on what a running job
// appends.
class CGauData {
public:
    // Reads the open file into a model: Scan, the geometries, bonds in the
    // general mode and the centres. The options are not used; the other
    // readers take the same arguments.
    static std::unique_ptr<CMolData> Read(StdioFile* in, const PdbOptions& options);
    CGauData(const CGauData&) = delete;
    CGauData& operator=(const CGauData&) = delete;
    ~CGauData();

private:
    friend class GaussianLogFollower;
    explicit CGauData(CMolData& model);
    // Reads the open file into the model (whatever it held is replaced).
    void ReadAll(StdioFile* in);
    // Reads what has been added to the output file the model was read from
    // since the last look (see GaussianLogFollower::ReadAppended).
    LogGrowth ReadAppended(StdioFile* in);

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
    void TakePath();
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
    GaussianPathScanner scannedPath_;
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
    FollowedFile grown_;
    std::int64_t scannedSize_ = 0;
};
