#include "model/ResidueSummary.h"

#include "model/CMolData.h"
#include "model/CMolFrame.h"
#include "model/SecondaryStructure.h"

#include <algorithm>
#include <map>
#include <string>
#include <tuple>

std::vector<char> CodesOfRecords(const CMolFrame& frame,
                                 const std::vector<SecondaryRecord>& records) {
    const std::vector<char>& assigned = frame.assignedSecondary;
    if (records.empty() || assigned.empty())
        return {};
    std::vector<char> codes(assigned.size(), 0);
    for (std::size_t r = 0; r < codes.size(); ++r)
        codes[r] = assigned[r] != 0 ? ' ' : 0;
    // The first residue with each chain, number and insertion code.
    using Key = std::tuple<std::string, int, std::string>;
    std::map<Key, std::size_t> firsts;
    const std::size_t count = std::min(codes.size(), frame.residueIds.size());
    for (std::size_t r = count; r-- > 0;) {
        const ResidueId& id = frame.residueIds[r];
        firsts[Key{id.chain, id.number, id.insertion}] = r;
    }
    for (const SecondaryRecord& record : records) {
        const auto first =
            firsts.find(Key{record.chain, record.firstNumber, record.firstInsertion});
        const auto last = firsts.find(Key{record.chain, record.lastNumber, record.lastInsertion});
        if (first == firsts.end() || last == firsts.end() || last->second < first->second)
            continue;
        for (std::size_t r = first->second; r <= last->second; ++r) {
            if (codes[r] != 0 && frame.residueIds[r].chain == record.chain)
                codes[r] = record.code;
        }
    }
    return codes;
}

void SummariseResidues(CMolFrame& frame, const std::vector<SecondaryRecord>& records) {
    frame.assignedSecondary.clear();
    frame.fileSecondary.clear();
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
    frame.assignedSecondary = SecondaryStructure::Assign(frame).codes;
    frame.assignedSecondary.resize(count, 0);
    frame.fileSecondary = CodesOfRecords(frame, records);
    frame.chainOrdinal.resize(count, 0);
    frame.chainFraction.resize(count, 0.0F);
    std::map<std::string, int> ordinals;
    // The first and last chain residue of each chain.
    std::map<int, std::pair<std::size_t, std::size_t>> spans;
    for (std::size_t r = 0; r < count; ++r) {
        const auto [at, added] =
            ordinals.emplace(frame.residueIds[r].chain, static_cast<int>(ordinals.size()));
        frame.chainOrdinal[r] = at->second;
        if (frame.assignedSecondary[r] == 0)
            continue;
        const auto span = spans.find(at->second);
        if (span == spans.end())
            spans.emplace(at->second, std::pair{r, r});
        else
            span->second.second = r;
    }
    for (std::size_t r = 0; r < count; ++r) {
        if (frame.assignedSecondary[r] == 0)
            continue;
        const auto& [first, last] = spans.at(frame.chainOrdinal[r]);
        frame.chainFraction[r] =
            last > first ? static_cast<float>(r - first) / static_cast<float>(last - first) : 0.0F;
    }
}
