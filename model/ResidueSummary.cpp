#include "model/ResidueSummary.h"

#include "model/CMolFrame.h"
#include "model/SecondaryStructure.h"

#include <algorithm>
#include <map>
#include <string>

void SummariseResidues(CMolFrame& frame) {
    frame.secondary.clear();
    frame.chainOrdinal.clear();
    frame.chainFraction.clear();
    frame.bFactorLow = 1.0;
    frame.bFactorHigh = 0.0;
    for (int a = 0; a < frame.atomCount; ++a) {
        const double b = frame.Atom(a).bFactor;
        frame.bFactorLow = a == 0 ? b : std::min(frame.bFactorLow, b);
        frame.bFactorHigh = a == 0 ? b : std::max(frame.bFactorHigh, b);
    }
    if (frame.residueIds.empty())
        return;
    const std::size_t count = frame.residueIds.size();
    frame.secondary = SecondaryStructure::Assign(frame).codes;
    frame.secondary.resize(count, 0);
    frame.chainOrdinal.resize(count, 0);
    frame.chainFraction.resize(count, 0.0F);
    std::map<std::string, int> ordinals;
    // The first and last chain residue of each chain.
    std::map<int, std::pair<std::size_t, std::size_t>> spans;
    for (std::size_t r = 0; r < count; ++r) {
        const auto [at, added] =
            ordinals.emplace(frame.residueIds[r].chain, static_cast<int>(ordinals.size()));
        frame.chainOrdinal[r] = at->second;
        if (frame.secondary[r] == 0)
            continue;
        const auto span = spans.find(at->second);
        if (span == spans.end())
            spans.emplace(at->second, std::pair{r, r});
        else
            span->second.second = r;
    }
    for (std::size_t r = 0; r < count; ++r) {
        if (frame.secondary[r] == 0)
            continue;
        const auto& [first, last] = spans.at(frame.chainOrdinal[r]);
        frame.chainFraction[r] =
            last > first ? static_cast<float>(r - first) / static_cast<float>(last - first) : 0.0F;
    }
}
