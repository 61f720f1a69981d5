#pragma once

#include "formats/LogFollower.h"

#include <memory>

class CGauData;
class CMolData;
class StdioFile;

// Follows a Gaussian output that a running job is still writing: it reads
// the file into a model once, keeps where its reading stopped, and on each
// look reads into that model only what the job has appended since.
class GaussianLogFollower : public LogFollower {
public:
    // Reads the open file into model (whatever model held is replaced) and
    // returns the follower of what is appended to it; model must outlive it.
    static std::unique_ptr<LogFollower> Start(StdioFile* in, CMolData& model);
    ~GaussianLogFollower() override;

    // Reads what has been added to the output file since the last look: in
    // is that file, opened again. Only the new bytes are scanned (a table
    // still being printed is not a geometry until it is closed); new
    // geometries get their bonds (general mode) and centres, the existing
    // ones keep everything but their step values. A model read from an input
    // always needs reading again.
    Growth ReadAppended(StdioFile* in) override;
    // The model followed.
    const CMolData& Model() const override { return model_; }

private:
    GaussianLogFollower(CMolData& model, std::unique_ptr<CGauData> reader);
    CMolData& model_;
    std::unique_ptr<CGauData> reader_;
};
