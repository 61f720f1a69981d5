#pragma once

#include "render/SceneContent.h"

#include <string>
#include <vector>

class CMolData;

// How atoms and the cartoon are coloured (ViewState::colourMode).
enum ColourScheme {
    kColourElement = 0,
    kColourResidue = 1, // by residue name
    kColourChain = 2,
    kColourSecondary = 3,
    kColourBFactor = 4, // blue, white, red over the geometry's range
    kColourRainbow = 5, // blue at each chain's N terminus to red at its C terminus
};

// The colours of the schemes that colour by residue or atom, and the legend
// that says what they mean.
namespace ColourSchemes {

Rgba ChainColour(int ordinal);
// For a secondary structure code (' ' for none).
Rgba SecondaryColour(char code);
// fraction 0 at the N terminus, 1 at the C terminus.
Rgba RainbowColour(float fraction);
Rgba BFactorColour(double value, double low, double high);

// The colour scheme gives atom a of geometry g, or false when it leaves the
// atom its element's colour (a model without residues, an atom outside the
// chains for secondary structure and rainbow). fileSecondary: by the codes
// the file's records give (see CMolFrame::Secondary).
bool ResidueSchemeColour(int scheme, const CMolData& data, int g, int a, Rgba& colour,
                         bool fileSecondary = false);

// One row of a legend: a colour and what it stands for.
struct LegendEntry {
    Rgba colour{};
    std::string text;
};
// What the colours of scheme mean for geometry g: the chains, the
// structure codes present, the B-factor range (its two ends) or the ramp's
// ends; empty for the schemes that need none. The texts are the source
// texts of the "ColourLegend" translations (chain ids and numbers pass
// through them unchanged).
std::vector<LegendEntry> Legend(int scheme, const CMolData& data, int g,
                                bool fileSecondary = false);
// The colour bar of atoms coloured by value on the blue–white–red ramp from
// −range to +range: five steps from +range down to −range, each with its
// value at decimals.
std::vector<LegendEntry> ValueLegend(double range, int decimals);

} // namespace ColourSchemes
