#pragma once

#include <memory>
#include <string>

class CMolFrame;

// The favoured and allowed regions of the Ramachandran plot for one kind of
// residue. They are drawn from the Top8000 reference distributions of the
// Richardson laboratory (Williams et al., Protein Science 27 (2018) 293) as
// the Clipper library ships them (one table each for glycine, proline, the
// residue before a proline, isoleucine and valine, and all other residues):
// the favoured region is the densest part of the
// plot that holds 98 % of the reference residues, the allowed region the
// densest part that holds 99.95 % of them for the general case and 99.8 %
// for the other kinds, whose tables rest on fewer residues (the levels
// Lovell et al., Proteins 50 (2003) 437, set).
class RamachandranRegions {
public:
    enum class Kind { kGeneral, kGlycine, kProline, kPreProline, kIleVal };
    static constexpr int kKindCount = 5;
    enum class Zone { kFavoured, kAllowed, kOutlier };

    // The regions of one kind (those of every kind are built on the first
    // call).
    static const RamachandranRegions& Of(Kind kind);
    // The kind that judges a residue named name ("GLY") that the residue
    // named next follows.
    static Kind KindOf(const std::string& name, const std::string& next);
    // Where the residue with angle key k of frame lies, judged by its kind.
    static Zone ZoneOfResidue(const CMolFrame& frame, int k);

    ~RamachandranRegions();
    RamachandranRegions(const RamachandranRegions&) = delete;
    RamachandranRegions& operator=(const RamachandranRegions&) = delete;

    // Where (φ, ψ) in degrees lies.
    Zone ZoneAt(double phi, double psi) const;
    static constexpr double kFavouredShare = 0.98;

private:
    explicit RamachandranRegions(Kind kind);

    struct Table;
    std::unique_ptr<Table> table_;
    double favouredLevel_ = 0.0, allowedLevel_ = 0.0;
};
