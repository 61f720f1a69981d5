#pragma once

#include "model/SelectionNode.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CMolData;

// Which atoms of one geometry of a model a selection holds: one flag per
// atom (nonzero = selected). Residue and chain terms use the residue ids a
// structure file gives; a model without them (a Gaussian job) has no
// chains, residues or polymer, and its atoms are matched by element,
// index, label as name and position only.
class SelectionEvaluator {
public:
    using Mask = std::vector<char>;
    // Selections made before, by name ("sele" for the atoms picked with
    // the mouse); a mask of another length is read as far as it goes.
    using NamedSelections = std::map<std::string, Mask, std::less<>>;

    // fileSecondary: helix, sheet and coil by the secondary structure the
    // file's records give (where it has records) instead of the one
    // assigned from the backbone.
    SelectionEvaluator(const CMolData& data, int geometry, const NamedSelections* named = nullptr,
                       bool fileSecondary = false);
    ~SelectionEvaluator();

    // The atoms node selects; false with a message for a name no selection
    // has.
    bool Evaluate(const SelectionNode& node, Mask& atoms, std::string& error) const;
    // Parses text and evaluates it; false with the parser's or the
    // evaluator's message.
    bool Select(std::string_view text, Mask& atoms, std::string& error) const;

    static std::size_t Count(const Mask& atoms);

private:
    // What the terms read of each atom, copied out of the atom records in
    // one pass the first time a term needs it: the passes of the terms after
    // it then read a few bytes an atom instead of the whole record.
    struct Columns {
        std::vector<int> residue;
        std::vector<unsigned char> element, hetero;
        std::vector<std::array<char, 8>> label; // MolAtom's label
    };
    const Columns& AtomColumns() const;

    // One flag per residue index for a test of a residue's name.
    template <typename Test> Mask ByResidue(Test test) const;
    Mask Near(const SelectionNode& node, const Mask& reference) const;
    Mask Expand(const Mask& atoms, bool wholeChains) const;

    const CMolData& data_;
    int geometry_ = 0;
    const NamedSelections* named_ = nullptr;
    bool fileSecondary_ = false;
    mutable std::unique_ptr<Columns> columns_;
};
