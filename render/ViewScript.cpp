#include "render/ViewScript.h"

#include "model/CMolData.h"
#include "model/FitScale.h"
#include "model/PrincipalAxes.h"
#include "model/SelectionEvaluator.h"
#include "model/SelectionParser.h"
#include "model/TextScanner.h"
#include "render/ColourScheme.h"
#include "render/ViewState.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

namespace {

using Style = Representation::Style;
using Colouring = Representation::Colouring;

const char kStyles[] = "wire, sticks, ballstick, spheres, ribbon, cartoon, labels";

std::string Trimmed(const std::string& text) {
    return std::string(TextScanner::Trim(text));
}

// "first, rest" at the first comma outside parentheses; rest empty when
// there is none.
std::pair<std::string, std::string> SplitAtComma(const std::string& text) {
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(')
            ++depth;
        else if (text[i] == ')')
            --depth;
        else if (text[i] == ',' && depth == 0)
            return {Trimmed(text.substr(0, i)), Trimmed(text.substr(i + 1))};
    }
    return {Trimmed(text), std::string()};
}

// The styles of the display menu's flags.
std::vector<Style> MenuStyles(int flags) {
    std::vector<Style> styles;
    if ((flags & ViewState::kWireFrame) != 0)
        styles.push_back(Style::kWireFrame);
    if ((flags & ViewState::kBallAndStick) != 0)
        styles.push_back(Style::kBallAndStick);
    if ((flags & ViewState::kRibbon) != 0)
        styles.push_back(Style::kRibbon);
    if ((flags & ViewState::kCartoon) != 0)
        styles.push_back(Style::kCartoon);
    return styles;
}

bool Draws(const Representation& row, Style style, int flags) {
    if (!row.followsMenus)
        return row.style == style;
    const std::vector<Style> styles = MenuStyles(flags);
    return std::find(styles.begin(), styles.end(), style) != styles.end();
}

// A colour by name or as #rrggbb.
bool ColourOfName(const std::string& name, Rgba& colour) {
    static const std::map<std::string, unsigned> named = {
        {"red", 0xFF3333},    {"green", 0x33CC33}, {"blue", 0x4D66FF},    {"yellow", 0xFFE633},
        {"orange", 0xFF9933}, {"cyan", 0x33E6E6},  {"magenta", 0xE633E6}, {"pink", 0xFF99CC},
        {"purple", 0x9933CC}, {"brown", 0x996633}, {"white", 0xFFFFFF},   {"grey", 0x999999},
        {"gray", 0x999999},   {"black", 0x000000}, {"salmon", 0xFF8C69},  {"wheat", 0xF5DEB3},
        {"slate", 0x7F7FFF},  {"teal", 0x33A6A6}};
    unsigned value = 0;
    const std::string lower = TextScanner::Lower(name);
    if (const auto found = named.find(lower); found != named.end()) {
        value = found->second;
    } else if (lower.size() == 7 && lower[0] == '#' &&
               std::all_of(lower.begin() + 1, lower.end(),
                           [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
        value = static_cast<unsigned>(std::stoul(lower.substr(1), nullptr, 16));
    } else {
        return false;
    }
    colour = {static_cast<float>((value >> 16) & 0xFF) / 255.0F,
              static_cast<float>((value >> 8) & 0xFF) / 255.0F,
              static_cast<float>(value & 0xFF) / 255.0F, 1.0F};
    return true;
}

// The menu's colour scheme of a colouring, or -1 for one the menu has not.
int MenuScheme(Colouring colouring) {
    switch (colouring) {
    case Colouring::kElement:
        return kColourElement;
    case Colouring::kResidue:
        return kColourResidue;
    case Colouring::kChain:
        return kColourChain;
    case Colouring::kSecondary:
        return kColourSecondary;
    case Colouring::kBFactor:
        return kColourBFactor;
    case Colouring::kRainbow:
        return kColourRainbow;
    default:
        return -1;
    }
}

std::string AtomCount(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " atom" : " atoms");
}

} // namespace

bool ViewScript::Atoms(const std::string& text, std::vector<char>& atoms,
                       std::string& message) const {
    std::string error;
    if (SelectionEvaluator(data_, view_.frame, &view_.namedSelections, fileSecondary_)
            .Select(text, atoms, error))
        return true;
    message = "selection '" + text + "': " + error;
    return false;
}

void ViewScript::EnsureRows() {
    if (!view_.representations.empty())
        return;
    Representation menus;
    menus.followsMenus = true;
    view_.representations.push_back(menus);
}

bool ViewScript::Run(const std::string& line, std::string& message) {
    const std::string text = Trimmed(line);
    message.clear();
    if (text.empty() || text[0] == '#')
        return true;
    std::size_t end = 0;
    while (end < text.size() && std::isspace(static_cast<unsigned char>(text[end])) == 0)
        ++end;
    const std::string command = TextScanner::Lower(text.substr(0, end));
    const std::string arguments = Trimmed(text.substr(end));
    if (command == "show")
        return Show(arguments, message);
    if (command == "hide")
        return Hide(arguments, message);
    if (command == "color" || command == "colour")
        return Colour(arguments, message);
    if (command == "label")
        return Label(arguments, message);
    if (command == "select" || command == "sele")
        return Select(arguments, message);
    if (command == "zoom" || command == "orient")
        return Fit(arguments, command == "orient", message);
    if (command == "reset" && arguments.empty()) {
        view_.representations.clear();
        message = "the display menu's picture again";
        return true;
    }
    message =
        "unknown command '" + command + "' (show, hide, color, label, select, zoom, orient, reset)";
    return false;
}

bool ViewScript::RunScript(const std::string& text, std::string& message) {
    std::size_t start = 0;
    for (int number = 1; start <= text.size(); ++number) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string said;
        if (!Run(text.substr(start, end - start), said)) {
            message = "line " + std::to_string(number) + ": " + said;
            return false;
        }
        start = end + 1;
    }
    message.clear();
    return true;
}

bool ViewScript::Show(const std::string& arguments, std::string& message) {
    auto [styleWord, selection] = SplitAtComma(arguments);
    Style style = Style::kWireFrame;
    if (!Representation::StyleOfWord(TextScanner::Lower(styleWord), style)) {
        message =
            "show: expected a style (" + std::string(kStyles) + "), found '" + styleWord + "'";
        return false;
    }
    if (selection.empty())
        selection = "all";
    std::vector<char> atoms;
    if (!Atoms(selection, atoms, message))
        return false;
    EnsureRows();
    auto& rows = view_.representations;
    const auto same = std::find_if(rows.begin(), rows.end(), [&](const Representation& row) {
        return !row.followsMenus && row.style == style && row.selection == selection;
    });
    if (same != rows.end()) {
        same->visible = true;
    } else {
        Representation row;
        row.selection = selection;
        row.style = style;
        rows.push_back(row);
    }
    message = std::string("shown as ") + Representation::StyleWord(style) + ": " +
              AtomCount(SelectionEvaluator::Count(atoms));
    return true;
}

bool ViewScript::Hide(const std::string& arguments, std::string& message) {
    auto [first, rest] = SplitAtComma(arguments);
    Style style = Style::kWireFrame;
    const std::string word = TextScanner::Lower(first);
    bool everyStyle = first.empty() || word == "everything" || word == "all";
    std::string selection = rest;
    if (!everyStyle && !Representation::StyleOfWord(word, style)) {
        // "hide water": a selection alone, of every style.
        if (!rest.empty()) {
            message = "hide: expected a style (" + std::string(kStyles) +
                      ") or everything, found '" + first + "'";
            return false;
        }
        everyStyle = true;
        selection = first;
    }
    if (word == "all" && rest.empty())
        selection = "all";
    if (selection.empty())
        selection = "all";
    std::vector<char> atoms;
    if (!Atoms(selection, atoms, message))
        return false;
    EnsureRows();
    int changed = 0;
    auto& rows = view_.representations;
    for (auto row = rows.begin(); row != rows.end();) {
        if (!everyStyle && !Draws(*row, style, view_.displayFlags)) {
            ++row;
            continue;
        }
        ++changed;
        if (selection == "all") {
            if (row->followsMenus) {
                row->visible = false;
            } else {
                row = rows.erase(row);
                continue;
            }
        } else {
            // A row all of whose atoms go is dropped; the others keep the
            // rest of theirs.
            std::vector<char> rowAtoms;
            std::string ignored;
            bool within = Atoms(row->selection, rowAtoms, ignored);
            for (std::size_t a = 0; within && a < rowAtoms.size(); ++a)
                within = rowAtoms[a] == 0 || atoms[a] != 0;
            if (within && !row->followsMenus) {
                row = rows.erase(row);
                continue;
            }
            row->selection = "(" + row->selection + ") and not (" + selection + ")";
        }
        ++row;
    }
    message = "hidden: " + AtomCount(SelectionEvaluator::Count(atoms)) + " in " +
              std::to_string(changed) + (changed == 1 ? " row" : " rows");
    return true;
}

bool ViewScript::Colour(const std::string& arguments, std::string& message) {
    auto [scheme, selection] = SplitAtComma(arguments);
    if (selection.empty())
        selection = "all";
    Representation paint;
    const std::string lower = TextScanner::Lower(scheme);
    const std::size_t blank = lower.find(' ');
    const std::string head = lower.substr(0, blank);
    if (Representation::ColouringOfWord(head, paint.colouring) &&
        paint.colouring != Colouring::kFixed) {
        // "element green": elements' colours, carbon green.
        const std::string carbon = blank == std::string::npos ? "" : Trimmed(lower.substr(blank));
        if (!carbon.empty()) {
            if (paint.colouring != Colouring::kElement &&
                paint.colouring != Colouring::kElementHalfBonds) {
                message =
                    "color: only element colours take a colour for carbon, not '" + scheme + "'";
                return false;
            }
            if (!ColourOfName(carbon, paint.colour)) {
                message = "color: no colour is named '" + carbon + "'";
                return false;
            }
            paint.carbonColoured = true;
        }
    } else if (ColourOfName(lower, paint.colour)) {
        paint.colouring = Colouring::kFixed;
    } else {
        message = "color: expected a colouring (element, element-bonds, residue, chain, "
                  "secondary, bfactor, rainbow, value) or a colour (red, #ff8000, ...), found '" +
                  scheme + "'";
        return false;
    }
    std::vector<char> atoms;
    if (!Atoms(selection, atoms, message))
        return false;
    EnsureRows();
    auto& rows = view_.representations;
    std::string ignored;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        Representation& row = rows[k];
        // Labels take no colouring; rows not drawn are left as they are. A
        // cartoon or ribbon shows element colours as its chains' colours:
        // an element colouring changes nothing there, and splitting the row
        // would only break its curve.
        const bool curve =
            !row.followsMenus && (row.style == Style::kCartoon || row.style == Style::kRibbon);
        const bool elements = paint.colouring == Colouring::kElement ||
                              paint.colouring == Colouring::kElementHalfBonds;
        if ((row.style == Style::kLabels && !row.followsMenus) || !row.visible ||
            (curve && elements))
            continue;
        std::vector<char> mask;
        if (!Atoms(row.selection, mask, ignored))
            continue;
        bool any = false, within = true;
        for (std::size_t a = 0; a < mask.size(); ++a) {
            if (mask[a] == 0)
                continue;
            any = any || atoms[a] != 0;
            within = within && atoms[a] != 0;
        }
        if (!any)
            continue;
        const int menuScheme = MenuScheme(paint.colouring);
        if (row.followsMenus && within && menuScheme >= 0 && !paint.carbonColoured) {
            // The whole of the menus' picture: as the colour menu does it.
            view_.colourMode = menuScheme;
            continue;
        }
        Representation coloured = row;
        coloured.followsMenus = false;
        if (row.followsMenus) {
            const std::vector<Style> styles = MenuStyles(view_.displayFlags);
            coloured.style = styles.empty() ? Style::kWireFrame : styles.front();
        }
        coloured.colouring = paint.colouring;
        coloured.colour = paint.colour;
        coloured.carbonColoured = paint.carbonColoured;
        if (within && !row.followsMenus) {
            row = coloured;
            continue;
        }
        coloured.selection = "(" + row.selection + ") and (" + selection + ")";
        row.selection = "(" + row.selection + ") and not (" + selection + ")";
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(k) + 1, coloured);
        ++k;
    }
    message = "coloured: " + AtomCount(SelectionEvaluator::Count(atoms));
    return true;
}

bool ViewScript::Label(const std::string& arguments, std::string& message) {
    if (arguments.empty()) {
        message = "label: expected a selection (label name CA)";
        return false;
    }
    std::vector<char> atoms;
    if (!Atoms(arguments, atoms, message))
        return false;
    EnsureRows();
    Representation row;
    row.selection = arguments;
    row.style = Style::kLabels;
    view_.representations.push_back(row);
    message = "labelled: " + AtomCount(SelectionEvaluator::Count(atoms));
    return true;
}

bool ViewScript::Select(const std::string& arguments, std::string& message) {
    std::string name = "sele", selection = arguments;
    // "select NAME, SEL" or "select NAME = SEL"; else the selection alone.
    for (const char mark : {',', '='}) {
        const std::size_t at = arguments.find(mark);
        if (at == std::string::npos)
            continue;
        const std::string before = Trimmed(arguments.substr(0, at));
        if (!SelectionParser::IsValidName(before)) {
            message = "select: '" + before +
                      "' cannot name a selection (a letter first, then "
                      "letters, digits or _, and no keyword)";
            return false;
        }
        name = before;
        selection = Trimmed(arguments.substr(at + 1));
        break;
    }
    if (selection.empty()) {
        message = "select: expected a selection";
        return false;
    }
    std::vector<char> atoms;
    if (!Atoms(selection, atoms, message))
        return false;
    const std::size_t count = SelectionEvaluator::Count(atoms);
    view_.namedSelections[name] = std::move(atoms);
    message = name + ": " + AtomCount(count);
    return true;
}

bool ViewScript::Fit(const std::string& arguments, bool turn, std::string& message) {
    const std::string selection = arguments.empty() ? "all" : arguments;
    std::vector<char> atoms;
    if (!Atoms(selection, atoms, message))
        return false;
    std::vector<Point3D> points;
    Point3D low, high;
    for (std::size_t a = 0; a < atoms.size(); ++a) {
        if (atoms[a] == 0)
            continue;
        const Point3D p = data_.GetAtomPos(view_.frame, static_cast<int>(a));
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            continue;
        low = points.empty()
                  ? p
                  : Point3D{std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = points.empty()
                   ? p
                   : Point3D{std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
        points.push_back(p);
    }
    if (points.empty()) {
        message = std::string(turn ? "orient" : "zoom") + ": '" + selection + "' holds no atom";
        return false;
    }
    Camera& camera = view_.camera;
    camera.centre = Scaled(Plus(low, high), 0.5);
    camera.fitScale = FitScaleOf(points);
    camera.zoom = 1.0;
    // Keep the turn, drop the moves: the selection's centre at the middle.
    camera.orientation[12] = camera.orientation[13] = camera.orientation[14] = 0.0;
    if (turn) {
        const std::array<Point3D, 3> axes = PrincipalAxesOf(points);
        camera.orientation = IdentityMatrix();
        for (std::size_t row = 0; row < 3; ++row) {
            camera.orientation[row] = axes[row].x;
            camera.orientation[4 + row] = axes[row].y;
            camera.orientation[8 + row] = axes[row].z;
        }
    }
    message = std::string(turn ? "oriented to " : "zoomed to ") + AtomCount(points.size());
    return true;
}
