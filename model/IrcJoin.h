#pragma once

#include "model/ReactionPath.h"

#include <string>

class CMolData;

// Joins the halves of one reaction path that two IRC jobs computed (a
// forward and a reverse job from the same transition state).
class IrcJoin {
public:
    // One IRC path from two: the reverse half of one and the forward half of
    // the other, about a transition state the two share (the same atoms
    // within rmsd Å after the best rotation). Each output's points keep
    // their geometries, and the second's point files are 1. False, with
    // why, when the two are no IRCs of one transition state; a half both
    // hold is taken from the first.
    static bool Join(const ReactionPath& first, const CMolData& firstModel,
                     const ReactionPath& second, const CMolData& secondModel, ReactionPath& joined,
                     std::string& why, double rmsd = 0.01);
};
