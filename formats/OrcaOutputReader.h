#pragma once

#include "formats/FollowedFile.h"
#include "formats/LogFollower.h"
#include "formats/OrcaOutputScanner.h"

#include <cstdint>
#include <memory>

class CMolData;
class StdioFile;
struct PdbOptions;

// The reader of ORCA outputs (versions 4, 5 and 6): every geometry of the
// job with its step energy and convergence, the normal modes of its
// frequency job with IR intensities and Raman activities, and its other
// results (see OrcaOutputScanner) into a model; as the follower of a job
// still running, it reads on from the last complete line.
class OrcaOutputReader : public LogFollower {
public:
    // Reads the open file into a model (the options are not used; the
    // readers share one signature).
    static std::unique_ptr<CMolData> Read(StdioFile* in, const PdbOptions& options);
    // Reads the open file into model (whatever it held is replaced) and
    // returns the follower of what the job appends; model must outlive it.
    static std::unique_ptr<LogFollower> Follow(StdioFile* in, CMolData& model);

    Growth ReadAppended(StdioFile* in) override;
    const CMolData& Model() const override { return model_; }

private:
    explicit OrcaOutputReader(CMolData& model) : model_(model) {}
    void ReadAll(StdioFile* in);
    // Feeds the lines from in's position up to end (the end of the last
    // complete line), then looks at what follows for the job's end.
    void FeedLines(StdioFile* in, std::int64_t end);
    // Brings the model up to what has been scanned; returns the geometries
    // added.
    int TakeScan();

    CMolData& model_;
    OrcaOutputScanner scanner_;
    FollowedFile followed_;
    std::int64_t scannedSize_ = 0;
    // The termination the last line, not yet complete, states.
    CMolData::Termination tail_ = CMolData::Termination::kRunning;
};
