#pragma once

#include <vector>

class CMolData;

// Which atoms of a structure are shown by residue: the residues chosen in
// the residue list of the display settings and what the choice does. It is
// what a document shows of its model, kept apart from the model, and the
// same for every geometry (the models of an ensemble hold the same
// residues). Atoms of a geometry without residues (a Gaussian job's) are
// always shown.
class ResidueVisibility {
public:
    // What the chosen residues are: the only ones shown, the ones hidden,
    // or no matter (everything shown).
    enum Mode { kShowSelected = 0, kHideSelected = 1, kShowAll = 2 };

    // Everything shown, nothing chosen.
    ResidueVisibility() = default;
    // The residue indices chosen (in any order, repeats allowed) and the
    // mode; a mode of another value shows everything.
    ResidueVisibility(std::vector<int> selected, int mode);

    // The chosen residues, sorted, each once.
    const std::vector<int>& Selected() const { return selected_; }
    Mode GetMode() const { return mode_; }
    bool ShowsResidue(int residue) const;
    // Whether atom a of geometry g of mol is shown (false when there is no
    // such atom).
    bool ShowsAtom(const CMolData& mol, int g, int a) const;
    // The atoms of geometry g shown.
    int CountShown(const CMolData& mol, int g) const;

    bool operator==(const ResidueVisibility& other) const {
        return mode_ == other.mode_ && selected_ == other.selected_;
    }
    bool operator!=(const ResidueVisibility& other) const { return !(*this == other); }

private:
    std::vector<int> selected_;
    Mode mode_ = kShowAll;
};
