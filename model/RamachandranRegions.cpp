#include "model/RamachandranRegions.h"

#include "model/CMolFrame.h"

#include <clipper/core/ramachandran.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numeric>
#include <vector>

struct RamachandranRegions::Table {
    clipper::Ramachandran density;
};

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

clipper::Ramachandran::TYPE TableOf(RamachandranRegions::Kind kind) {
    switch (kind) {
    case RamachandranRegions::Kind::kGlycine:
        return clipper::Ramachandran::Gly2;
    case RamachandranRegions::Kind::kProline:
        return clipper::Ramachandran::Pro2;
    case RamachandranRegions::Kind::kPreProline:
        return clipper::Ramachandran::PrePro2;
    case RamachandranRegions::Kind::kIleVal:
        return clipper::Ramachandran::IleVal2;
    case RamachandranRegions::Kind::kGeneral:
        break;
    }
    return clipper::Ramachandran::NoGPIVpreP2;
}

// The name of residue r: as the file wrote it, else as its first atom's.
std::string ResidueName(const CMolFrame& frame, int r) {
    if (r >= 0 && r < static_cast<int>(frame.residueIds.size()))
        return frame.residueIds[static_cast<std::size_t>(r)].name;
    const auto atoms = frame.residueAtoms.find(r);
    if (atoms == frame.residueAtoms.end() || atoms->second.empty())
        return {};
    return frame.ResidueName(atoms->second.front());
}

} // namespace

RamachandranRegions::RamachandranRegions(Kind kind) : table_(std::make_unique<Table>()) {
    const double allowedShare = kind == Kind::kGeneral ? 0.9995 : 0.998;
    table_->density.init(TableOf(kind));
    // The density at the centres of 1° cells, densest first: the level of a
    // region is the density of the cell at which the running sum reaches
    // the region's share of the whole.
    std::vector<double> cells;
    cells.reserve(360 * 360);
    for (int i = 0; i < 360; ++i)
        for (int j = 0; j < 360; ++j)
            cells.push_back(
                table_->density.probability((i - 179.5) * kDegree, (j - 179.5) * kDegree));
    std::sort(cells.begin(), cells.end(), std::greater<>());
    const double total = std::accumulate(cells.begin(), cells.end(), 0.0);
    double sum = 0.0;
    bool favoured = false;
    for (const double cell : cells) {
        sum += cell;
        if (!favoured && sum >= kFavouredShare * total) {
            favouredLevel_ = cell;
            favoured = true;
        }
        if (sum >= allowedShare * total) {
            allowedLevel_ = cell;
            break;
        }
    }
}

RamachandranRegions::~RamachandranRegions() = default;

const RamachandranRegions& RamachandranRegions::Of(Kind kind) {
    static const std::array<std::unique_ptr<RamachandranRegions>, kKindCount> regions = [] {
        std::array<std::unique_ptr<RamachandranRegions>, kKindCount> made;
        for (int k = 0; k < kKindCount; ++k)
            made[static_cast<std::size_t>(k)].reset(new RamachandranRegions(static_cast<Kind>(k)));
        return made;
    }();
    return *regions[static_cast<std::size_t>(kind)];
}

RamachandranRegions::Kind RamachandranRegions::KindOf(const std::string& name,
                                                      const std::string& next) {
    if (name == "GLY")
        return Kind::kGlycine;
    if (name == "PRO")
        return Kind::kProline;
    if (next == "PRO")
        return Kind::kPreProline;
    if (name == "ILE" || name == "VAL")
        return Kind::kIleVal;
    return Kind::kGeneral;
}

RamachandranRegions::Zone RamachandranRegions::ZoneAt(double phi, double psi) const {
    const double density = table_->density.probability(phi * kDegree, psi * kDegree);
    if (density >= favouredLevel_)
        return Zone::kFavoured;
    return density >= allowedLevel_ ? Zone::kAllowed : Zone::kOutlier;
}

RamachandranRegions::Zone RamachandranRegions::ZoneOfResidue(const CMolFrame& frame, int k) {
    const auto residue = frame.angleResidues.find(k);
    const auto phi = frame.phiAngles.find(k);
    const auto psi = frame.psiAngles.find(k);
    if (residue == frame.angleResidues.end() || phi == frame.phiAngles.end() ||
        psi == frame.psiAngles.end())
        return Zone::kOutlier;
    const int r = residue->second;
    // The angles of residue r are measured with the N of residue r + 1, so
    // that residue follows it in its chain.
    const Kind kind = KindOf(ResidueName(frame, r), ResidueName(frame, r + 1));
    return Of(kind).ZoneAt(phi->second, psi->second);
}
