#include "model/IrcJoin.h"

#include "model/BestRotation.h"
#include "model/CMolData.h"

#include <algorithm>

namespace {

std::vector<Point3D> PositionsOf(const CMolData& model, int g) {
    std::vector<Point3D> positions;
    for (int a = 0; a < model.AtomCount(g); ++a)
        positions.push_back(model.GetAtomPos(g, a));
    return positions;
}

const ReactionPath::Point* TransitionState(const ReactionPath& path) {
    for (const ReactionPath::Point& point : path.points) {
        if (point.direction == 0)
            return &point;
    }
    return nullptr;
}

bool HasHalf(const ReactionPath& path, int direction) {
    return std::any_of(
        path.points.begin(), path.points.end(),
        [direction](const ReactionPath::Point& p) { return p.direction == direction; });
}

} // namespace

bool IrcJoin::Join(const ReactionPath& first, const CMolData& firstModel,
                   const ReactionPath& second, const CMolData& secondModel, ReactionPath& joined,
                   std::string& why, double rmsd) {
    if (first.kind != ReactionPath::Kind::kIrc || second.kind != ReactionPath::Kind::kIrc) {
        why = "not two IRCs";
        return false;
    }
    const ReactionPath::Point* ts1 = TransitionState(first);
    const ReactionPath::Point* ts2 = TransitionState(second);
    if (ts1 == nullptr || ts2 == nullptr || ts1->geometry < 0 || ts2->geometry < 0) {
        why = "a transition state's geometry is not printed";
        return false;
    }
    const int atoms = firstModel.AtomCount(ts1->geometry);
    bool same = atoms == secondModel.AtomCount(ts2->geometry);
    for (int a = 0; same && a < atoms; ++a)
        same = firstModel.GetElement(ts1->geometry, a) == secondModel.GetElement(ts2->geometry, a);
    BestRotation fit;
    if (!same ||
        !fit.Fit(PositionsOf(firstModel, ts1->geometry), PositionsOf(secondModel, ts2->geometry)) ||
        fit.Rmsd() > rmsd) {
        why = "the transition states differ";
        return false;
    }
    // Each half from the file that has it, the first's where both do.
    const auto half = [&](int direction) -> std::pair<const ReactionPath*, int> {
        if (HasHalf(first, direction))
            return {&first, 0};
        if (HasHalf(second, direction))
            return {&second, 1};
        return {nullptr, 0};
    };
    const auto reverse = half(-1), forward = half(+1);
    if (reverse.first == nullptr || forward.first == nullptr) {
        why = "both are the same half of the path";
        return false;
    }
    joined = ReactionPath();
    joined.kind = ReactionPath::Kind::kIrc;
    const auto take = [&](const std::pair<const ReactionPath*, int>& from, int direction) {
        for (ReactionPath::Point point : from.first->points) {
            if (point.direction != direction)
                continue;
            point.file = from.second;
            joined.points.push_back(point);
        }
    };
    take(reverse, -1);
    joined.points.push_back(*ts1);
    take(forward, +1);
    return true;
}
