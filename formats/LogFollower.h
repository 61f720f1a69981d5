#pragma once

#include "formats/LogGrowth.h"

class CMolData;
class StdioFile;

// Follows the output of a job that is still running: it has read the file
// into a model once, keeps where its reading stopped, and on each look reads
// into that model only what the job has appended since. Each program's
// output has its own (GaussianLogFollower, OrcaOutputReader).
class LogFollower {
public:
    using Growth = LogGrowth;

    virtual ~LogFollower() = default;
    // Reads what has been added to the output file since the last look: in
    // is that file, opened again. Only complete lines are read; new
    // geometries get their bonds (general mode) and centres, the existing
    // ones keep everything but their step values. A file that shrank or was
    // replaced needs reading again (Growth::readAgain).
    virtual Growth ReadAppended(StdioFile* in) = 0;
    // The model followed.
    virtual const CMolData& Model() const = 0;

protected:
    LogFollower() = default;
    LogFollower(const LogFollower&) = delete;
    LogFollower& operator=(const LogFollower&) = delete;
};
