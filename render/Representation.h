#pragma once

#include "render/SceneContent.h"

#include <string>

// One row of what a molecule view shows: the atoms a selection holds (see
// docs/selections.md), drawn in one style and coloured by one scheme. A
// view draws its rows together, in order; with none it draws the whole
// model as its display and colour menus say.
struct Representation {
    enum class Style { kWireFrame, kSticks, kBallAndStick, kSpheres, kRibbon, kCartoon, kLabels };
    enum class Colouring {
        kElement,
        kElementHalfBonds, // each half of a bond in its atom's colour
        kResidue,
        kChain,
        kSecondary,
        kBFactor,
        kRainbow,
        kValue, // the view's values per atom (charges, shifts) on their ramp
        kFixed
    };

    std::string selection = "all";
    Style style = Style::kWireFrame;
    Colouring colouring = Colouring::kElement;
    // The colour of kFixed; with an element colouring the colour of the
    // carbon atoms when carbonColoured.
    Rgba colour{0.8F, 0.8F, 0.8F, 1.0F};
    bool carbonColoured = false;
    bool visible = true;
    // The view's first row: drawn in the style of the display menu and
    // coloured as the colour menu says, whatever style and colouring hold.
    bool followsMenus = false;

    bool operator==(const Representation& o) const {
        return selection == o.selection && style == o.style && colouring == o.colouring &&
               colour == o.colour && carbonColoured == o.carbonColoured && visible == o.visible &&
               followsMenus == o.followsMenus;
    }
    bool operator!=(const Representation& o) const { return !(*this == o); }

    // The words of styles and colourings in commands, panels and sessions:
    // "wire", "sticks", "ballstick", "spheres", "ribbon", "cartoon",
    // "labels"; "element", "element-bonds", "residue", "chain", "secondary",
    // "bfactor", "rainbow", "value", "fixed". False for another word.
    static const char* StyleWord(Style style);
    static bool StyleOfWord(const std::string& word, Style& style);
    static const char* ColouringWord(Colouring colouring);
    static bool ColouringOfWord(const std::string& word, Colouring& colouring);
};
