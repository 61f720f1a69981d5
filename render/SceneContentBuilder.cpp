#include "render/SceneContentBuilder.h"

#include "model/BackboneAngles.h"
#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "model/Isosurface.h"
#include "model/ResidueKind.h"
#include "model/SecondaryStructure.h"
#include "model/SelectionEvaluator.h"
#include "model/VolumeGrid.h"
#include "render/CartoonBuilder.h"
#include "render/ColourScheme.h"
#include "render/MolDocState.h"
#include "render/RibbonPlan.h"
#include "render/SurfaceState.h"
#include "render/ViewState.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

// The Bernstein weights C(degree, k) u^k (1 - u)^(degree - k), k = 0 ...
// degree, of each step i = 0 ... steps (u = i / steps), a row per step.
const std::vector<double>& BernsteinWeights(int degree, int steps) {
    static std::map<std::pair<int, int>, std::vector<double>> table;
    auto& row = table[{degree, steps}];
    if (row.empty()) {
        row.resize(static_cast<std::size_t>((steps + 1) * (degree + 1)));
        for (int j = 0; j <= steps; ++j) {
            const double u = j * (1.0 / steps);
            double binomial = 1.0;
            for (int k = 0; k <= degree; ++k) {
                row[static_cast<std::size_t>(j * (degree + 1) + k)] =
                    binomial * std::pow(u, k) * std::pow(1.0 - u, degree - k);
                binomial = binomial * (degree - k) / (k + 1);
            }
        }
    }
    return row;
}

Rgba Colour(double r, double g, double b) {
    return {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), 1.0F};
}

// Which atoms one drawing step draws and in what colours. The default, the
// whole model in the colours AtomColour gives, is the picture of the menus;
// a view's representation rows give each its own.
struct Paint {
    // Flags by atom index; null for every atom.
    const std::vector<char>* keep = nullptr;
    // The colour of atom a; empty for AtomColour.
    std::function<Rgba(int)> colour;
    // The atoms take their elements' colours (then the cartoon takes its
    // chains' and wire-frame bonds are grey).
    bool elementColours = true;
    // Bonds in their atoms' colours, half each; else wire-frame bonds grey
    // with element colours or in their lower atom's colour, sticks grey.
    bool halfBonds = false;
    // With the specified picture's extras: the arrows of the vibration, the
    // cartoon's ligands and waters.
    bool extras = true;
    // The ribbon in the atoms' colours (a row's colouring); else grey, as
    // the menus draw it whatever they colour.
    bool colouredRibbon = false;

    bool Keeps(int a) const {
        return keep == nullptr || (a >= 0 && a < static_cast<int>(keep->size()) &&
                                   (*keep)[static_cast<std::size_t>(a)] != 0);
    }
    Rgba ColourOf(const ViewState& view, const MolDocState& document, int a) const {
        return colour ? colour(a) : AtomColour(view, document, a);
    }
};

// The specified picture's paint: bonds grey while atoms take their elements'
// colours.
Paint MenuPaint(const ViewState& view) {
    Paint paint;
    paint.elementColours = view.colourMode == kColourElement && !view.atomValues.colour;
    return paint;
}

// Calls atomStep(a) for every shown atom, then bondStep(a, b) for each of its
// bonds that is drawn: each bond once, from its lower atom, when that atom is
// shown and the other is not a hidden hydrogen (whether its residue is shown
// does not matter).
template <class AtomStep, class BondStep>
void ForEachDrawnBond(const ViewState& view, const MolDocState& document, AtomStep atomStep,
                      BondStep bondStep) {
    const CMolData& data = *document.data;
    const int atoms = data.AtomCount(view.frame);
    for (int a = 0; a < atoms; ++a) {
        if (IsAtomSkipped(view, document, a))
            continue;
        atomStep(a);
        const int bonds = data.GetBondCount(view.frame, a);
        for (int k = 0; k < bonds; ++k) {
            const int b = data.GetBondedAtom(view.frame, a, k);
            if (a < b && data.HasAtom(view.frame, b) && !IsHiddenHydrogen(view, data, b))
                bondStep(a, b);
        }
    }
}

void AddArrow(const ViewState& view, const CMolData& data, int a, SceneContent& content) {
    // No displacement, no arrow (a cone of length 0 would be a flat disc).
    Point3D direction;
    const double length = ArrowLength(view, data, a, &direction);
    if (!(length > 0.0) || !std::isfinite(length))
        return;
    const Point3D base = DrawnPosition(view, data, a);
    content.cones.push_back({base, Plus(base, direction), kArrowRadius, kArrowColour, a});
}

void AddWireFrame(const ViewState& view, const MolDocState& document, SceneContent& content,
                  const Paint& paint) {
    const CMolData& data = *document.data;
    const bool arrows = paint.extras && (view.displayFlags & ViewState::kVibration) != 0;
    const int atoms = data.AtomCount(view.frame);
    for (int a = 0; a < atoms; ++a) {
        if (IsAtomSkipped(view, document, a) || !paint.Keeps(a))
            continue;
        // Selected atoms white, invisible marks white and transparent.
        Rgba colour{1.0F, 1.0F, 1.0F, 1.0F};
        if (!IsSelectedAtom(view, a)) {
            if (document.hideAtoms != 0)
                colour[3] = 0.0F;
            else
                colour = paint.ColourOf(view, document, a);
        }
        content.points.push_back({DrawnPosition(view, data, a), colour, a});
        if (arrows)
            AddArrow(view, data, a, content);
    }
    // Each bond in one colour: grey, or the colour its lower atom has by
    // residue, chain, structure, B-factor or place along the chain; or in
    // two halves.
    Rgba colour = kBondGrey;
    ForEachDrawnBond(
        view, document,
        [&](int a) {
            if (!paint.elementColours && paint.Keeps(a))
                colour = paint.ColourOf(view, document, a);
        },
        [&](int a, int b) {
            if (!paint.Keeps(a) || !paint.Keeps(b))
                return;
            const Point3D from = DrawnPosition(view, data, a), to = DrawnPosition(view, data, b);
            // A bond within the Ctrl-clicked residues is white, as their
            // atoms are: a point alone shows little of a residue.
            if (IsInSele(view, a) && IsInSele(view, b)) {
                content.lines.push_back({from, to, {1.0F, 1.0F, 1.0F, 1.0F}});
                return;
            }
            if (!paint.halfBonds) {
                content.lines.push_back({from, to, colour});
                return;
            }
            const Point3D middle = Scaled(Plus(from, to), 0.5);
            content.lines.push_back({from, middle, paint.ColourOf(view, document, a)});
            content.lines.push_back({middle, to, paint.ColourOf(view, document, b)});
        });
    content.pointSize = document.wireAtomScale;
    content.lineWidth = document.wireBondScale;
    content.smooth = document.antialiasing != 0;
    // Invisible atom marks must not hide what lies behind them; nothing else
    // does then either.
    if (document.hideAtoms != 0 && !content.points.empty())
        content.depthTest = false;
}

// Sizes of the sphere drawings: the radius of each atom's sphere, and of
// the bonds' sticks (0 for none).
struct SphereSizes {
    std::function<double(int element)> radius;
    double stick = 0.0;
};

// The atoms as spheres and their bonds as sticks.
void AddSpheres(const ViewState& view, const MolDocState& document, SceneContent& content,
                const Paint& paint, const SphereSizes& sizes) {
    const CMolData& data = *document.data;
    const bool arrows = paint.extras && (view.displayFlags & ViewState::kVibration) != 0;
    const int atoms = data.AtomCount(view.frame);
    // The radius of each atom's sphere, 0 for an atom not drawn.
    std::vector<double> radii(static_cast<std::size_t>(std::max(atoms, 0)), 0.0);
    for (int a = 0; a < atoms; ++a) {
        if (IsAtomSkipped(view, document, a) || !paint.Keeps(a))
            continue;
        const double radius = sizes.radius(data.GetElement(view.frame, a));
        radii[static_cast<std::size_t>(a)] = radius;
        content.spheres.push_back({DrawnPosition(view, data, a), radius,
                                   paint.ColourOf(view, document, a), IsSelectedAtom(view, a), a});
        if (arrows)
            AddArrow(view, data, a, content);
    }
    if (!(sizes.stick > 0.0))
        return;
    // A stick is the part of the bond's tube outside its atoms' spheres: its
    // wall leaves a sphere of radius R where it lies sqrt(R² - r²) along the
    // axis from the centre. What lies inside is never seen, and drawing it
    // would only cost time.
    const double r = sizes.stick;
    const auto inside = [r](double sphere) {
        return sphere > r ? std::sqrt(sphere * sphere - r * r) : 0.0;
    };
    ForEachDrawnBond(
        view, document, [](int) {},
        [&](int a, int b) {
            if (!paint.Keeps(a) || !paint.Keeps(b))
                return;
            const Point3D from = DrawnPosition(view, data, a), to = DrawnPosition(view, data, b);
            const Point3D axis = Minus(to, from);
            const double length = Length(axis);
            const double start = inside(radii[static_cast<std::size_t>(a)]);
            const double end = length - inside(radii[static_cast<std::size_t>(b)]);
            if (!(length > 0.0) || !(start < end))
                return;
            const Point3D first = Plus(from, Scaled(axis, start / length));
            const Point3D last = Plus(from, Scaled(axis, end / length));
            if (!paint.halfBonds) {
                content.sticks.push_back({first, last, r, kBondGrey});
                return;
            }
            const Point3D middle = Scaled(Plus(from, to), 0.5);
            content.sticks.push_back({first, middle, r, paint.ColourOf(view, document, a)});
            content.sticks.push_back({middle, last, r, paint.ColourOf(view, document, b)});
        });
}

void AddBallAndStick(const ViewState& view, const MolDocState& document, SceneContent& content,
                     const Paint& paint) {
    const double scale = document.ballAtomScale;
    AddSpheres(view, document, content, paint,
               {[scale](int element) { return scale * ElementTable::Row(element).radius; },
                document.ballBondScale});
}

// The backbone as a curve of Bézier pieces through the means of three
// successive backbone atoms (PDB models with analysable residues only). With
// colours (one per backbone atom) the curve takes the colour of the atom
// nearest along it, in runs of one colour; else the ribbon's grey.
void AddRibbonThrough(const std::vector<Point3D>& backbone, const std::vector<Rgba>& colours,
                      SceneContent& content);

void AddRibbon(const ViewState& view, const MolDocState& document, SceneContent& content,
               const Paint& paint) {
    const CMolData& data = *document.data;
    if (data.sourceKind != CMolData::SourceKind::kPdb || !ComputeBackboneAngles(data, view.frame))
        return;
    // One curve through each run of backbone atoms the paint keeps.
    const bool coloured = paint.colouredRibbon;
    std::vector<Point3D> backbone;
    std::vector<Rgba> colours;
    for (const auto& [key, atom] : data.GetBackboneAtoms(view.frame)) {
        if (paint.Keeps(atom)) {
            backbone.push_back(data.GetAtomPos(view.frame, atom));
            if (coloured)
                colours.push_back(paint.ColourOf(view, document, atom));
            continue;
        }
        AddRibbonThrough(backbone, colours, content);
        backbone.clear();
        colours.clear();
    }
    AddRibbonThrough(backbone, colours, content);
}

// The ribbon through one run of backbone atoms: Bézier pieces through the
// means of three successive ones.
void AddRibbonThrough(const std::vector<Point3D>& backbone, const std::vector<Rgba>& colours,
                      SceneContent& content) {
    if (backbone.size() < 3)
        return;
    const bool coloured = colours.size() == backbone.size();
    content.clearBeforeStrips = true;
    content.stripColour = kBondGrey;
    std::vector<Point3D> controls;
    controls.reserve(backbone.size() - 2);
    for (std::size_t c = 0; c + 2 < backbone.size(); ++c)
        controls.push_back(
            Scaled(Plus(Plus(backbone[c], backbone[c + 1]), backbone[c + 2]), 1.0 / 3.0));
    for (const RibbonPiece& piece : PlanRibbonPieces(RibbonSegmentEnds(backbone))) {
        const std::vector<double>& weights = BernsteinWeights(piece.degree, kRibbonSteps);
        SceneStrip strip;
        strip.points.reserve(kRibbonSteps + 1);
        for (int i = 0; i <= kRibbonSteps; ++i) {
            const double* weight = &weights[static_cast<std::size_t>(i * (piece.degree + 1))];
            Point3D point;
            for (int k = 0; k <= piece.degree; ++k)
                point = Plus(
                    point, Scaled(controls[static_cast<std::size_t>(piece.start + k)], weight[k]));
            if (coloured) {
                // Control c is the mean of backbone atoms c to c + 2: the
                // sample takes the middle atom's colour of its nearest one.
                const int nearest =
                    piece.start + static_cast<int>(std::lround(
                                      static_cast<double>(i * piece.degree) / kRibbonSteps));
                const Rgba& colour = colours[static_cast<std::size_t>(nearest) + 1];
                if (!strip.coloured || !(strip.colour == colour)) {
                    // A new run starts where the last one ends.
                    if (!strip.points.empty()) {
                        strip.points.push_back(point);
                        content.strips.push_back(strip);
                        strip.points.clear();
                    }
                    strip.colour = colour;
                    strip.coloured = true;
                }
            }
            strip.points.push_back(point);
        }
        content.strips.push_back(std::move(strip));
    }
}

// The colour of atom a's chain, as a cartoon coloured by element shows it.
Rgba ChainColourOf(const CMolFrame& frame, int a) {
    const int r = frame.Atom(a).residueIndex;
    return ColourSchemes::ChainColour(r >= 0 && r < static_cast<int>(frame.chainOrdinal.size())
                                          ? frame.chainOrdinal[static_cast<std::size_t>(r)]
                                          : 0);
}

// The chains as a cartoon; with it the other residues (ligands, ions) in
// ball and stick and the waters as points, each when the view asks for them.
void AddCartoon(const ViewState& view, const MolDocState& document, SceneContent& content,
                const Paint& paint) {
    const CMolData& data = *document.data;
    const CMolFrame& frame = *data.GetFrame(view.frame);
    CartoonBuilder::Options options;
    options.helixCylinders = view.cartoonHelixCylinders;
    options.fileSecondary = document.secondaryFromFile;
    // Finer curves for small proteins; coarser for large ones, so that a
    // protein of 10,000 atoms still turns smoothly with software OpenGL.
    const auto residues = static_cast<std::size_t>(std::count_if(frame.assignedSecondary.begin(),
                                                                 frame.assignedSecondary.end(),
                                                                 [](char c) { return c != 0; }));
    options.stepsPerResidue = residues <= 600 ? 8 : residues <= 3000 ? 5 : 3;
    options.sides = residues <= 600 ? 12 : residues <= 3000 ? 8 : 6;
    if (paint.keep != nullptr)
        options.keep = [&paint](int ca) { return paint.Keeps(ca); };
    // Element colours say nothing of a chain's course: then the chains
    // take their own colours.
    const auto colourOf = [&](int ca) {
        return paint.elementColours ? ChainColourOf(frame, ca) : paint.ColourOf(view, document, ca);
    };
    SceneSurface cartoon = CartoonBuilder::Build(frame, colourOf, options);
    if (!cartoon.mesh->triangles.empty())
        content.surfaces.push_back(std::move(cartoon));
    if (!paint.extras)
        return;
    // A residue outside the chains, by residue index.
    const auto outside = [&frame](int a) {
        const int r = frame.Atom(a).residueIndex;
        return r < 0 || r >= static_cast<int>(frame.assignedSecondary.size()) ||
               frame.assignedSecondary[static_cast<std::size_t>(r)] == 0;
    };
    if (view.cartoonLigands) {
        std::vector<char> ligands(static_cast<std::size_t>(frame.atomCount), 0);
        for (int a = 0; a < frame.atomCount; ++a)
            ligands[static_cast<std::size_t>(a)] =
                static_cast<char>(paint.Keeps(a) && outside(a) &&
                                  !IsWaterResidue(data.GetResidueName(view.frame, a)));
        Paint others = paint;
        others.keep = &ligands;
        AddBallAndStick(view, document, content, others);
    }
    if (view.cartoonWaters) {
        for (int a = 0; a < frame.atomCount; ++a) {
            if (!IsAtomSkipped(view, document, a) && paint.Keeps(a) && outside(a) &&
                IsWaterResidue(data.GetResidueName(view.frame, a)) &&
                data.GetElement(view.frame, a) != 1)
                content.points.push_back(
                    {DrawnPosition(view, data, a), paint.ColourOf(view, document, a), a});
        }
        content.pointSize = kWaterPointSize;
        content.smooth = document.antialiasing != 0;
    }
}

// The other geometries thinly beside the one shown: each chain's CA trace,
// or every bond of a geometry without chains.
void AddOverlay(const ViewState& view, const MolDocState& document, SceneContent& content) {
    const CMolData& data = *document.data;
    for (int g = 0; g < data.frameCount; ++g) {
        if (g == view.frame)
            continue;
        const CMolFrame& frame = *data.GetFrame(g);
        const std::vector<SecondaryStructure::ChainResidue> chain =
            SecondaryStructure::ChainResidues(frame);
        for (std::size_t k = 1; k < chain.size(); ++k) {
            if (!chain[k].chainBreak)
                content.lines.push_back(
                    {frame.Position(chain[k - 1].ca), frame.Position(chain[k].ca), kOverlayGrey});
        }
        if (!chain.empty())
            continue;
        for (int a = 0; a < frame.atomCount; ++a) {
            const MolAtom& atom = frame.Atom(a);
            for (int k = 0; k < atom.bondCount && k < MolAtom::kMaxBonds; ++k) {
                if (atom.bonded[k] > a && atom.bonded[k] < frame.atomCount)
                    content.lines.push_back(
                        {frame.Position(a), frame.Position(atom.bonded[k]), kOverlayGrey});
            }
        }
    }
}

// The value atom a is given, or NaN.
double AtomValue(const ViewState& view, int a) {
    const std::vector<double>& values = view.atomValues.values;
    return a >= 0 && a < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(a)]
                                                         : std::nan("");
}

// The labels of the atoms picked for labelling, and of every atom with a
// value when values are labelled: its value, after its description for a
// picked one.
// A label beside atom a.
void AddAtomLabel(const ViewState& view, const MolDocState& document, int a, std::string text,
                  SceneContent& content) {
    const CMolData& data = *document.data;
    const ElementRecord& row = ElementTable::Row(data.GetElement(view.frame, a));
    const Rgba colour = view.labelsInElementColour ? Colour(row.red, row.green, row.blue)
                                                   : Rgba{view.labelColour[0], view.labelColour[1],
                                                          view.labelColour[2], 1.0F};
    // In front of the atom: beyond the near side of its sphere in ball
    // and stick, so that the sphere never covers its own label.
    const double lift = (view.displayFlags & ViewState::kBallAndStick) != 0
                            ? document.ballAtomScale * row.radius * 1.05 + 0.05
                            : row.radius * 0.3;
    content.labels.push_back({DrawnPosition(view, data, a), lift, colour, std::move(text), a});
}

void AddLabels(const ViewState& view, const MolDocState& document, SceneContent& content) {
    const CMolData& data = *document.data;
    const auto add = [&](int a, std::string text) {
        AddAtomLabel(view, document, a, std::move(text), content);
    };
    const auto valueText = [&](int a) {
        char text[32];
        std::snprintf(text, sizeof text, "%.*f", view.atomValues.decimals, AtomValue(view, a));
        return std::string(text);
    };
    const bool values = view.atomValues.label;
    for (int a : view.labelledAtoms) {
        if (IsAtomSkipped(view, document, a))
            continue;
        std::string text = data.GetAtomDescription(view.frame, a);
        if (values && std::isfinite(AtomValue(view, a)))
            text += " " + valueText(a);
        add(a, std::move(text));
    }
    if (!values)
        return;
    for (int a = 0; a < data.AtomCount(view.frame); ++a) {
        if (IsAtomSkipped(view, document, a) || !std::isfinite(AtomValue(view, a)) ||
            std::find(view.labelledAtoms.begin(), view.labelledAtoms.end(), a) !=
                view.labelledAtoms.end())
            continue;
        add(a, valueText(a));
    }
}

// A label's text for the picture's glyphs, which are those of the codes
// 0 … 254: UTF-8 letters of Latin-1 (Å, °) become their single codes.
std::string Latin1(const std::string& utf8) {
    std::string text;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte == 0xC2 || byte == 0xC3) && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[++i]);
            text += static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F));
        } else {
            text += utf8[i];
        }
    }
    return text;
}

// One dash of a measurement: a line in wire frame; in ball and stick a
// tube a little thicker than the bonds, so that a dash along a bond shows
// around its stick rather than inside it.
void AddDash(const Point3D& from, const Point3D& to, const Rgba& colour, double tube,
             SceneContent& content) {
    if (tube > 0.0)
        content.sticks.push_back({from, to, tube, colour});
    else
        content.lines.push_back({from, to, colour});
}

// A dashed line from one point to another: dashes of 0.15 Å, gaps of 0.1 Å.
void AddDashes(const Point3D& from, const Point3D& to, const Rgba& colour, double tube,
               SceneContent& content) {
    const Point3D along = Minus(to, from);
    const double length = Length(along);
    if (!(length > 0.0))
        return;
    constexpr double kDash = 0.15, kPeriod = 0.25;
    for (double start = 0.0; start < length; start += kPeriod) {
        const double end = std::min(length, start + kDash);
        AddDash(Plus(from, Scaled(along, start / length)), Plus(from, Scaled(along, end / length)),
                colour, tube, content);
    }
}

// The measurements with their values in the geometry shown: a distance as a
// dashed line, an angle as a dashed arc inside it, a dihedral as a dashed
// line along its four atoms; the value stands at the middle, in front.
void AddMeasurements(const ViewState& view, const MolDocState& document, SceneContent& content) {
    const CMolData& data = *document.data;
    const Rgba colour{1.0F, 0.85F, 0.2F, 1.0F};
    const bool balls = (view.displayFlags & ViewState::kBallAndStick) != 0;
    const double tube = balls ? document.ballBondScale * 1.3 : 0.0;
    for (const Measurement& measurement : view.measurements) {
        const std::string text = measurement.Text(data, view.frame);
        bool shown = !text.empty();
        std::vector<Point3D> p;
        for (const int a : measurement.atoms) {
            shown = shown && !IsAtomSkipped(view, document, a);
            if (shown)
                p.push_back(DrawnPosition(view, data, a));
        }
        if (!shown)
            continue;
        Point3D at;
        if (p.size() == 3) {
            // The arc at a third of the shorter arm (outside the vertex's
            // sphere in ball and stick), the value just outside it.
            const Point3D u = Minus(p[0], p[1]), v = Minus(p[2], p[1]);
            const double arm = std::min(Length(u), Length(v));
            const double sphere =
                balls ? document.ballAtomScale *
                                ElementTable::Row(data.GetElement(view.frame, measurement.atoms[1]))
                                    .radius +
                            tube
                      : 0.0;
            const double radius = std::min(std::max(arm / 3.0, sphere), arm * 0.8);
            // Turned from one arm towards the other in their plane: about a
            // direction at right angles to the first arm, any one when the
            // arms lie in a line.
            const Point3D a = Scaled(u, 1.0 / Length(u)), b = Scaled(v, 1.0 / Length(v));
            const double angle = std::acos(std::clamp(Dot(a, b), -1.0, 1.0));
            Point3D across = Minus(b, Scaled(a, Dot(a, b)));
            if (Length(across) < 1e-6)
                across = Cross(a, std::abs(a.x) < 0.9 ? Point3D{1, 0, 0} : Point3D{0, 1, 0});
            across = Scaled(across, 1.0 / Length(across));
            constexpr int kSteps = 16;
            Point3D last;
            for (int k = 0; k <= kSteps; ++k) {
                const double turn = angle * k / kSteps;
                const Point3D point = Plus(
                    p[1], Scaled(Plus(Scaled(a, std::cos(turn)), Scaled(across, std::sin(turn))),
                                 radius));
                if (k > 0 && k % 2 == 1)
                    AddDash(last, point, colour, tube, content);
                if (k == kSteps / 2)
                    at = Plus(p[1], Scaled(Minus(point, p[1]), 1.3));
                last = point;
            }
        } else {
            for (std::size_t k = 1; k < p.size(); ++k)
                AddDashes(p[k - 1], p[k], colour, tube, content);
            at = p.size() == 2 ? Scaled(Plus(p[0], p[1]), 0.5) : Scaled(Plus(p[1], p[2]), 0.5);
        }
        const double lift = balls ? tube + 0.1 : 0.1;
        content.labels.push_back({at, lift, colour, Latin1(text), -1});
    }
}

} // namespace

bool IsHiddenHydrogen(const ViewState& view, const CMolData& data, int a) {
    return view.showHydrogens == 0 && data.GetElement(view.frame, a) == 1;
}

bool IsAtomSkipped(const ViewState& view, const MolDocState& document, int a) {
    const CMolData& data = *document.data;
    if (!document.residues.ShowsAtom(data, view.frame, a) || IsHiddenHydrogen(view, data, a))
        return true;
    // An atom without a finite position has no place in the picture; only a
    // geometry that has one pays for looking.
    if (!data.GetFrame(view.frame)->hasNonFinitePosition)
        return false;
    const Point3D p = data.GetAtomPos(view.frame, a);
    return !std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z);
}

bool IsInSele(const ViewState& view, int a) {
    const auto sele = view.namedSelections.find("sele");
    return sele != view.namedSelections.end() && a >= 0 &&
           a < static_cast<int>(sele->second.size()) &&
           sele->second[static_cast<std::size_t>(a)] != 0;
}

bool IsSelectedAtom(const ViewState& view, int a) {
    const auto& selection = view.measurementSelection;
    // The atoms Ctrl-clicked into "sele" are highlighted the same way.
    return std::find(selection.begin(), selection.end(), a) != selection.end() || IsInSele(view, a);
}

Rgba AtomColour(const ViewState& view, const MolDocState& document, int a) {
    const CMolData& data = *document.data;
    if (view.atomValues.colour && std::isfinite(AtomValue(view, a))) {
        const float range = static_cast<float>(view.atomValues.range);
        const std::array<float, 3> c =
            SurfaceState::RampColour(static_cast<float>(AtomValue(view, a)), {-range, range});
        return Rgba{c[0], c[1], c[2], 1.0F};
    }
    if (view.colourMode == kColourResidue) {
        const std::array<double, 3> rgb = data.GetResidueColour(data.GetResidueName(view.frame, a));
        return Colour(rgb[0], rgb[1], rgb[2]);
    }
    if (Rgba colour; view.colourMode != kColourElement &&
                     ColourSchemes::ResidueSchemeColour(view.colourMode, data, view.frame, a,
                                                        colour, document.secondaryFromFile))
        return colour;
    const ElementRecord& row = ElementTable::Row(data.GetElement(view.frame, a));
    return Colour(row.red, row.green, row.blue);
}

bool AtomDisplacement(const ViewState& view, const CMolData& data, int a, Point3D& d) {
    const CMolFrame& frame = *data.GetFrame(view.frame);
    if (view.mode >= 0 && view.frame == view.modeFrame &&
        view.mode < static_cast<int>(frame.modes.size())) {
        const std::vector<Point3D>& all =
            frame.modes[static_cast<std::size_t>(view.mode)].displacements;
        if (a < 0 || a >= static_cast<int>(all.size()))
            return false;
        d = all[static_cast<std::size_t>(a)];
        return true;
    }
    if (data.vibrationState != CMolData::kVibrationPresent || !data.HasAtom(view.frame, a))
        return false;
    const MolAtom& atom = frame.Atom(a);
    d = {atom.dx, atom.dy, atom.dz};
    return true;
}

double ArrowLength(const ViewState& view, const CMolData& data, int a, Point3D* direction) {
    Point3D d;
    if (!AtomDisplacement(view, data, a, d))
        return 0.0;
    d = Scaled(d, view.arrowScale);
    if (direction != nullptr)
        *direction = d;
    return Length(d);
}

Point3D DrawnPosition(const ViewState& view, const CMolData& data, int a) {
    const Point3D p = data.GetAtomPos(view.frame, a);
    Point3D d;
    if (view.vibrationOffset != 0.0 && AtomDisplacement(view, data, a, d))
        return Plus(p, Scaled(d, view.vibrationOffset));
    return p;
}

void AddSurfaces(const SurfaceState& surface, SceneContent& content) {
    // Positive lobes blue, negative ones red; translucent at half.
    const float alpha = surface.translucent ? SurfaceState::kTranslucentAlpha : 1.0F;
    struct Lobe {
        const std::shared_ptr<const IsoMesh>& mesh;
        const std::shared_ptr<const std::vector<float>>& vertexColours;
        Rgba colour;
    };
    const Lobe lobes[] = {
        {surface.positive, surface.positiveColours, Rgba{0.25F, 0.45F, 1.0F, alpha}},
        {surface.negative, surface.negativeColours, Rgba{1.0F, 0.3F, 0.25F, alpha}}};
    for (const Lobe& lobe : lobes) {
        if (lobe.mesh == nullptr || lobe.mesh->triangles.empty())
            continue;
        SceneSurface drawn;
        drawn.mesh = lobe.mesh;
        drawn.vertexColours = lobe.vertexColours;
        drawn.colour = lobe.colour;
        drawn.closed = lobe.mesh->closed;
        drawn.scale = kBohrInAngstrom;
        content.surfaces.push_back(std::move(drawn));
    }
}

namespace {

// The picture of the display menu's styles, of the atoms paint keeps.
void AddMenuStyles(const ViewState& view, const MolDocState& document, SceneContent& content,
                   const Paint& paint) {
    const int flags = view.displayFlags;
    if ((flags & ViewState::kWireFrame) != 0)
        AddWireFrame(view, document, content, paint);
    if ((flags & ViewState::kBallAndStick) != 0)
        AddBallAndStick(view, document, content, paint);
    if ((flags & ViewState::kRibbon) != 0)
        AddRibbon(view, document, content, paint);
    if ((flags & ViewState::kCartoon) != 0)
        AddCartoon(view, document, content, paint);
}

bool MenuStylesLit(int flags) {
    return flags != ViewState::kWireFrame && flags != ViewState::kRibbon;
}

// The colours of a row's colouring.
std::function<Rgba(int)> RowColours(const ViewState& view, const MolDocState& document,
                                    const Representation& row) {
    const CMolData& data = *document.data;
    using C = Representation::Colouring;
    const auto element = [&view, &data, row](int a) {
        const ElementRecord& e = ElementTable::Row(data.GetElement(view.frame, a));
        return row.carbonColoured && e.number == 6 ? row.colour : Colour(e.red, e.green, e.blue);
    };
    int scheme = kColourElement;
    switch (row.colouring) {
    case C::kElement:
    case C::kElementHalfBonds:
        return element;
    case C::kResidue:
        return [&view, &data](int a) {
            const std::array<double, 3> rgb =
                data.GetResidueColour(data.GetResidueName(view.frame, a));
            return Colour(rgb[0], rgb[1], rgb[2]);
        };
    case C::kValue:
        return [&view, element](int a) {
            const double value = AtomValue(view, a);
            if (!std::isfinite(value))
                return element(a);
            const auto range = static_cast<float>(view.atomValues.range);
            const std::array<float, 3> c =
                SurfaceState::RampColour(static_cast<float>(value), {-range, range});
            return Rgba{c[0], c[1], c[2], 1.0F};
        };
    case C::kFixed:
        return [colour = row.colour](int) { return colour; };
    case C::kChain:
        scheme = kColourChain;
        break;
    case C::kSecondary:
        scheme = kColourSecondary;
        break;
    case C::kBFactor:
        scheme = kColourBFactor;
        break;
    case C::kRainbow:
        scheme = kColourRainbow;
        break;
    }
    return [&view, &data, element, scheme, fromFile = document.secondaryFromFile](int a) {
        Rgba colour;
        return ColourSchemes::ResidueSchemeColour(scheme, data, view.frame, a, colour, fromFile)
                   ? colour
                   : element(a);
    };
}

// The representation rows, each of the atoms its selection holds (a row
// whose selection has an error draws nothing); a row that follows the
// menus draws the menus' picture of its atoms.
void AddRepresentations(const ViewState& view, const MolDocState& document, SceneContent& content) {
    using Style = Representation::Style;
    const CMolData& data = *document.data;
    const SelectionEvaluator evaluator(data, view.frame, &view.namedSelections,
                                       document.secondaryFromFile);
    int visibleRows = 0;
    bool onlyMenus = true;
    // The cartoon and ribbon rows are drawn as one curve each, after the
    // other rows: a chain coloured in parts (a row split by a colouring)
    // stays one unbroken curve. Each atom takes the colour of the last such
    // row holding it.
    struct Curve {
        std::vector<char> keep;
        std::vector<int> owner; // by atom: the row in rows, -1 for none
        std::vector<Paint> rows;
    };
    Curve cartoon, ribbon;
    const std::size_t atoms = static_cast<std::size_t>(std::max(data.AtomCount(view.frame), 0));
    const auto addCurveRow = [atoms](Curve& curve, const SelectionEvaluator::Mask& mask,
                                     const Paint& paint) {
        if (curve.keep.empty()) {
            curve.keep.assign(atoms, 0);
            curve.owner.assign(atoms, -1);
        }
        const int index = static_cast<int>(curve.rows.size());
        curve.rows.push_back(paint);
        curve.rows.back().keep = nullptr;
        for (std::size_t a = 0; a < atoms && a < mask.size(); ++a) {
            if (mask[a] != 0) {
                curve.keep[a] = 1;
                curve.owner[a] = index;
            }
        }
    };
    for (const Representation& row : view.representations) {
        if (!row.visible)
            continue;
        ++visibleRows;
        onlyMenus = onlyMenus && row.followsMenus;
        SelectionEvaluator::Mask mask;
        std::string error;
        if (!evaluator.Select(row.selection, mask, error))
            continue;
        const bool all = SelectionEvaluator::Count(mask) == mask.size();
        if (row.followsMenus) {
            Paint paint = MenuPaint(view);
            paint.keep = all ? nullptr : &mask;
            AddMenuStyles(view, document, content, paint);
            content.lit = content.lit || MenuStylesLit(view.displayFlags);
            continue;
        }
        Paint paint;
        paint.keep = all ? nullptr : &mask;
        paint.colour = RowColours(view, document, row);
        paint.elementColours = row.colouring == Representation::Colouring::kElement ||
                               row.colouring == Representation::Colouring::kElementHalfBonds;
        // Ball and stick keeps its grey sticks for plain element colours.
        paint.halfBonds = row.colouring != Representation::Colouring::kElement;
        paint.extras = false;
        paint.colouredRibbon = !paint.elementColours;
        switch (row.style) {
        case Style::kWireFrame:
            // Wires always in their atoms' colours, half each.
            paint.halfBonds = true;
            AddWireFrame(view, document, content, paint);
            break;
        case Style::kSticks:
            paint.halfBonds = true;
            AddSpheres(view, document, content, paint,
                       {[](int) { return kStickRadius; }, kStickRadius});
            content.lit = true;
            break;
        case Style::kBallAndStick:
            AddBallAndStick(view, document, content, paint);
            content.lit = true;
            break;
        case Style::kSpheres:
            AddSpheres(view, document, content, paint,
                       {[](int element) { return ElementTable::VanDerWaalsRadius(element); }, 0.0});
            content.lit = true;
            break;
        case Style::kRibbon:
            addCurveRow(ribbon, mask, paint);
            break;
        case Style::kCartoon:
            addCurveRow(cartoon, mask, paint);
            content.lit = true;
            break;
        case Style::kLabels:
            for (int a = 0; a < data.AtomCount(view.frame); ++a) {
                if (paint.Keeps(a) && !IsAtomSkipped(view, document, a))
                    AddAtomLabel(view, document, a, data.GetAtomDescription(view.frame, a),
                                 content);
            }
            break;
        }
    }
    const CMolFrame& frame = *data.GetFrame(view.frame);
    const auto ownerOf = [](const Curve& curve, int a) -> const Paint& {
        return curve.rows[static_cast<std::size_t>(curve.owner[static_cast<std::size_t>(a)])];
    };
    if (!cartoon.rows.empty()) {
        Paint paint;
        paint.keep = &cartoon.keep;
        paint.extras = false;
        paint.elementColours = false;
        paint.colour = [&](int a) {
            const Paint& row = ownerOf(cartoon, a);
            return row.elementColours ? ChainColourOf(frame, a) : row.ColourOf(view, document, a);
        };
        AddCartoon(view, document, content, paint);
    }
    if (!ribbon.rows.empty()) {
        Paint paint;
        paint.keep = &ribbon.keep;
        paint.extras = false;
        paint.colouredRibbon = std::any_of(ribbon.rows.begin(), ribbon.rows.end(),
                                           [](const Paint& row) { return row.colouredRibbon; });
        paint.elementColours = !paint.colouredRibbon;
        paint.colour = [&](int a) {
            const Paint& row = ownerOf(ribbon, a);
            return row.colouredRibbon ? row.ColourOf(view, document, a) : kBondGrey;
        };
        AddRibbon(view, document, content, paint);
    }
    // The ribbon's strips are drawn on a cleared picture only where nothing
    // else is drawn beside it.
    if (visibleRows > 1 || !onlyMenus)
        content.clearBeforeStrips = false;
}

} // namespace

SceneContent BuildSceneContent(const ViewState& view, const MolDocState& document) {
    SceneContent content;
    content.slices = std::clamp(document.resolution, 1, 100);
    if (document.data == nullptr)
        return content;
    if (view.representations.empty()) {
        content.lit = MenuStylesLit(view.displayFlags);
        AddMenuStyles(view, document, content, MenuPaint(view));
    } else {
        AddRepresentations(view, document, content);
    }
    if (view.overlayModels)
        AddOverlay(view, document, content);
    AddLabels(view, document, content);
    AddMeasurements(view, document, content);
    AddSurfaces(document.surface, content);
    return content;
}
