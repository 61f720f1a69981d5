#pragma once

#include "model/ReactionPath.h"

#include <functional>
#include <map>
#include <string_view>
#include <vector>

class CMolData;

// Follows a Gaussian output line by line for what makes its geometries a
// reaction path: a relaxed scan (the coordinates the first parameter table
// marks "Scan", "on scan point P out of Q" and "Optimization completed") or
// an IRC ("Point Number: N Path Number: P" and "NET REACTION COORDINATE UP
// TO THIS POINT"). Each event is tied to the geometry table printed last
// before it; the path is made once the tables are geometries. Also keeps the
// highest-level energy of each table's step (MP2 and above print theirs
// after the SCF energy), which is the energy of a point.
class GaussianPathScanner {
public:
    // One complete line; table is the index of the last geometry table that
    // began before it (-1 before the first).
    void Feed(std::string_view line, int table);

    // The path over model's geometries: geometryOf gives the geometry of a
    // table (-1 for one that is no geometry). A point begun and not reached
    // (its optimisation did not converge, the job failed or still computes
    // it) is a point not converged; after a normal termination an IRC's
    // last steps are no point.
    ReactionPath Path(const CMolData& model, const std::function<int(int)>& geometryOf) const;

private:
    struct Mark {
        int table = -1;
        int number = 0;
        int path = 0;
        int direction = 0;
        double coordinate = ReactionPath::kNotPrinted;
        bool converged = true;
    };
    void FeedScan(std::string_view trimmed, int table);
    void FeedIrc(std::string_view trimmed, int table);
    double EnergyOf(const CMolData& model, int table, int g) const;

    // The scan.
    std::vector<ScanCoordinate> coordinates_;
    bool stepsBegun_ = false; // parameter tables after the first no longer define
    int planned_ = 0;
    int scanPoint_ = 0;          // the point whose steps are being printed
    int scanPointTable_ = -1;    // its last table
    bool scanPointDone_ = false; // "Optimization completed" came for it
    // The IRC.
    bool irc_ = false;
    int firstDirection_ = +1; // of path 1: −1 for a reverse-only job
    int direction_ = +1;      // of the point being computed
    int lastTable_ = -1;
    double checkpointEnergy_ = ReactionPath::kNotPrinted;
    std::vector<Mark> marks_;
    // The last higher-level energy of each table's step.
    std::map<int, double> correlated_;
};
