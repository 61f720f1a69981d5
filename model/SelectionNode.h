#pragma once

#include <string>
#include <vector>

// One term of a parsed atom selection (see docs/selections.md): a keyword,
// a property with the values it takes, an operator over its operands, or
// the name of a selection made before.
struct SelectionNode {
    enum class Kind {
        kAll,
        kNone,
        kAnd,
        kOr,
        kNot,
        kChain,
        kResidueName,
        kResidueNumber,
        kAtomName,
        kElement,
        kIndex,
        kSerial,
        kModel,
        kProtein,
        kNucleic,
        kBackbone,
        kSidechain,
        kLigand,
        kWater,
        kIon,
        kHydrogen,
        kHetero,
        kHelix,
        kSheet,
        kCoil,
        kWithin,
        kAround,
        kByResidue,
        kByChain,
        kNamed
    };
    // A number or an inclusive range of numbers; for a residue number also
    // an insertion code, which then must match too (a single value only).
    struct Range {
        long low = 0, high = 0;
        std::string insertion;
    };

    Kind kind = Kind::kAll;
    // The words a text property takes (names may end in * for any rest), or
    // the selection's name for kNamed.
    std::vector<std::string> words;
    // The values a number property takes.
    std::vector<Range> ranges;
    // Å, for within and around.
    double distance = 0.0;
    std::vector<SelectionNode> operands;
};
