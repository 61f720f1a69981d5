// Representation rows and the view commands that make them: what each
// style draws of the atoms its selection holds, that a lone row following
// the menus draws the menus' picture exactly, and what the commands do to
// the rows, the named selections and the camera.

#include "formats/CPDBData.h"
#include "model/ElementData.h"
#include "model/ElementTable.h"
#include "render/ColourScheme.h"
#include "render/MolDocState.h"
#include "render/SceneContentBuilder.h"
#include "render/ViewScript.h"
#include "render/ViewState.h"
#include "tests/support/IdealBackbone.h"
#include "tests/support/PdbRecord.h"
#include "tests/unit/ReadText.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Style = Representation::Style;

class RepresentationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadElementData(); }

    // A helix of 12 alanines (chain A, 4 atoms each: N CA C O, CONECT-free,
    // bonds perceived), a water (O, H, H) and a chloride ion.
    void SetUp() override {
        std::vector<std::pair<double, double>> helix(12, {-57.0, -47.0});
        BackboneChain chain;
        chain.residues = IdealBackbone(helix);
        std::string text = BackbonePdb({chain});
        text = text.substr(0, text.rfind("END"));
        text += PdbRecord(true, 100, "O", "HOH", 'A', 201, ' ', 20.0, 0.0, 0.0, "O");
        text += PdbRecord(true, 101, "H1", "HOH", 'A', 201, ' ', 20.96, 0.0, 0.0, "H");
        text += PdbRecord(true, 102, "H2", "HOH", 'A', 201, ' ', 19.76, 0.93, 0.0, "H");
        text += PdbRecord(true, 103, "CL", "CL", 'A', 301, ' ', 30.0, 0.0, 0.0, "CL");
        document.data = ReadFile<CPDBData>(dir.Write("helix.pdb", text + "END\n"));
        ASSERT_TRUE(document.data);
        ASSERT_EQ(document.data->atomCount, 52);
        document.ComputeDerivedSizes();
        view.camera.Refit(*document.data, 0);
    }

    SceneContent Content() const { return BuildSceneContent(view, document); }
    bool Run(const std::string& line) {
        std::string said;
        const bool ok = ViewScript(view, document).Run(line, said);
        EXPECT_TRUE(ok) << line << ": " << said;
        return ok;
    }
    std::string Refusal(const std::string& line) {
        std::string said;
        EXPECT_FALSE(ViewScript(view, document).Run(line, said)) << line;
        return said;
    }

    TempDir dir;
    MolDocState document;
    ViewState view;
};

// The points, lines and spheres of two contents, compared whole.
void ExpectSameContent(const SceneContent& a, const SceneContent& b) {
    ASSERT_EQ(a.points.size(), b.points.size());
    ASSERT_EQ(a.lines.size(), b.lines.size());
    ASSERT_EQ(a.spheres.size(), b.spheres.size());
    ASSERT_EQ(a.sticks.size(), b.sticks.size());
    ASSERT_EQ(a.strips.size(), b.strips.size());
    ASSERT_EQ(a.surfaces.size(), b.surfaces.size());
    for (std::size_t k = 0; k < a.points.size(); ++k) {
        EXPECT_EQ(a.points[k].atom, b.points[k].atom);
        EXPECT_EQ(a.points[k].colour, b.points[k].colour);
    }
    for (std::size_t k = 0; k < a.lines.size(); ++k)
        EXPECT_EQ(a.lines[k].colour, b.lines[k].colour);
    for (std::size_t k = 0; k < a.spheres.size(); ++k)
        EXPECT_DOUBLE_EQ(a.spheres[k].radius, b.spheres[k].radius);
    for (std::size_t k = 0; k < a.strips.size(); ++k) {
        EXPECT_EQ(a.strips[k].coloured, b.strips[k].coloured);
        EXPECT_EQ(a.strips[k].points.size(), b.strips[k].points.size());
    }
    EXPECT_EQ(a.stripColour, b.stripColour);
    for (std::size_t k = 0; k < a.surfaces.size(); ++k)
        EXPECT_EQ(a.surfaces[k].mesh->triangles.size(), b.surfaces[k].mesh->triangles.size());
    EXPECT_EQ(a.lit, b.lit);
    EXPECT_EQ(a.clearBeforeStrips, b.clearBeforeStrips);
    EXPECT_EQ(a.pointSize, b.pointSize);
}

TEST_F(RepresentationTest, ALoneRowFollowingTheMenusDrawsTheMenusPicture) {
    for (const int flags :
         {int(ViewState::kWireFrame), int(ViewState::kBallAndStick), int(ViewState::kRibbon),
          int(ViewState::kCartoon), ViewState::kWireFrame | ViewState::kBallAndStick}) {
        for (const int colours : {int(kColourElement), int(kColourChain), int(kColourResidue)}) {
            view.displayFlags = flags;
            view.colourMode = colours;
            view.representations.clear();
            const SceneContent menus = Content();
            Representation row;
            row.followsMenus = true;
            row.style = Style::kSpheres; // ignored: the menus say
            view.representations = {row};
            SCOPED_TRACE(std::to_string(flags) + " " + std::to_string(colours));
            ExpectSameContent(menus, Content());
        }
    }
}

TEST_F(RepresentationTest, RibbonRowsTakeTheirColouringTheMenusRibbonStaysGrey) {
    // The menus' ribbon is grey whatever the menus colour by.
    view.displayFlags = ViewState::kRibbon;
    view.colourMode = kColourChain;
    const SceneContent menus = Content();
    ASSERT_FALSE(menus.strips.empty());
    for (const SceneStrip& strip : menus.strips)
        EXPECT_FALSE(strip.coloured);
    EXPECT_EQ(menus.stripColour, kBondGrey);

    // A row coloured by element stays grey; by chain it takes the chain's
    // colour; a rainbow runs through colours along the chain, in runs that
    // meet where one ends.
    view.colourMode = kColourElement;
    ASSERT_TRUE(Run("hide everything"));
    ASSERT_TRUE(Run("show ribbon, protein"));
    SceneContent content = Content();
    ASSERT_FALSE(content.strips.empty());
    EXPECT_FALSE(content.strips.front().coloured);
    const std::size_t pieces = content.strips.size();
    ASSERT_TRUE(Run("color chain, protein"));
    content = Content();
    for (const SceneStrip& strip : content.strips) {
        EXPECT_TRUE(strip.coloured);
        EXPECT_EQ(strip.colour, ColourSchemes::ChainColour(0));
    }
    ASSERT_TRUE(Run("color rainbow, protein"));
    content = Content();
    std::vector<Rgba> colours;
    std::size_t points = 0;
    for (std::size_t k = 0; k < content.strips.size(); ++k) {
        const SceneStrip& strip = content.strips[k];
        ASSERT_TRUE(strip.coloured);
        ASSERT_GE(strip.points.size(), 2U);
        points += strip.points.size();
        if (colours.empty() || !(colours.back() == strip.colour))
            colours.push_back(strip.colour);
    }
    EXPECT_GE(colours.size(), 5U); // 12 residues along the rainbow
    EXPECT_EQ(colours.front(), ColourSchemes::RainbowColour(0.0F));
    // Each run after the first of a piece repeats the point where the one
    // before it ended; the curve is the grey one's, cut into runs.
    EXPECT_EQ(points, pieces * (kRibbonSteps + 1) + (content.strips.size() - pieces));
    for (std::size_t k = 1; k < content.strips.size(); ++k) {
        const Point3D& end = content.strips[k - 1].points.back();
        const Point3D& start = content.strips[k].points.front();
        EXPECT_LT(Length(Minus(end, start)), 1e-9) << k;
    }
}

TEST_F(RepresentationTest, AChainColouredInPartsStaysOneCartoon) {
    ASSERT_TRUE(Run("hide everything"));
    ASSERT_TRUE(Run("show cartoon, protein"));
    const SceneContent whole = Content();
    ASSERT_EQ(whole.surfaces.size(), 1U);
    // Colouring a part splits the row in two, yet the cartoon is drawn as
    // one, just as long, in both colours.
    const std::size_t rows = view.representations.size();
    ASSERT_TRUE(Run("color red, resi 1-5"));
    ASSERT_EQ(view.representations.size(), rows + 1);
    const SceneContent parts = Content();
    ASSERT_EQ(parts.surfaces.size(), 1U);
    EXPECT_EQ(parts.surfaces[0].mesh->triangles.size(), whole.surfaces[0].mesh->triangles.size());
    const std::vector<float>& colours = *parts.surfaces[0].vertexColours;
    std::size_t red = 0, chain = 0;
    const Rgba chainColour = ColourSchemes::ChainColour(0);
    const Rgba redColour = view.representations.back().colour;
    ASSERT_GT(redColour[0], 0.9F);
    for (std::size_t v = 0; v + 3 < colours.size(); v += 4) {
        red += colours[v] == redColour[0] && colours[v + 1] == redColour[1] &&
               colours[v + 2] == redColour[2];
        chain += colours[v] == chainColour[0] && colours[v + 1] == chainColour[1] &&
                 colours[v + 2] == chainColour[2];
    }
    EXPECT_GT(red, 0U);
    EXPECT_GT(chain, red); // residues 6-12 are the more
}

TEST_F(RepresentationTest, CtrlClickedResiduesShowWhiteInWireFrame) {
    view.displayFlags = ViewState::kWireFrame;
    ASSERT_TRUE(Run("select resi 3"));
    const SceneContent content = Content();
    const Rgba white{1.0F, 1.0F, 1.0F, 1.0F};
    std::size_t whiteLines = 0, whitePoints = 0;
    for (const SceneLine& line : content.lines)
        whiteLines += line.colour == white;
    for (const ScenePoint& point : content.points)
        whitePoints += point.colour == white;
    // Its four atoms N, CA, C, O and the three bonds among them; the
    // peptide bonds to its neighbours keep the menus' grey.
    EXPECT_EQ(whitePoints, 4U);
    EXPECT_EQ(whiteLines, 3U);
    EXPECT_GT(content.lines.size(), 3U);
}

TEST_F(RepresentationTest, EachStyleDrawsTheAtomsOfItsSelection) {
    ASSERT_TRUE(Run("hide everything"));
    ASSERT_TRUE(Run("show sticks, resn HOH"));
    SceneContent content = Content();
    // Three atoms of 0.2 Å, two bonds of two halves in their atoms' colours.
    ASSERT_EQ(content.spheres.size(), 3U);
    EXPECT_DOUBLE_EQ(content.spheres[0].radius, kStickRadius);
    ASSERT_EQ(content.sticks.size(), 4U);
    const ElementRecord& oxygen = ElementTable::Row(8);
    EXPECT_FLOAT_EQ(content.sticks[0].colour[0], static_cast<float>(oxygen.red));
    EXPECT_FLOAT_EQ(content.sticks[1].colour[0], static_cast<float>(ElementTable::Row(1).red));
    EXPECT_TRUE(content.lit);
    EXPECT_TRUE(content.points.empty());

    // Space filling: van der Waals radii (O 1.52 Å, Cl 1.75 Å), no bonds.
    ASSERT_TRUE(Run("show spheres, elem O+Cl and not resn ALA"));
    content = Content();
    ASSERT_EQ(content.spheres.size(), 5U);
    EXPECT_NEAR(content.spheres[3].radius, 1.52, 1e-6);
    EXPECT_NEAR(content.spheres[4].radius, 1.75, 1e-6);

    // The cartoon of part of the chain is smaller than the whole one's.
    ASSERT_TRUE(Run("reset"));
    ASSERT_TRUE(Run("hide everything"));
    ASSERT_TRUE(Run("show cartoon, protein"));
    const std::size_t whole = Content().surfaces.at(0).mesh->triangles.size();
    ASSERT_TRUE(Run("hide cartoon, resi 7-12"));
    const std::size_t half = Content().surfaces.at(0).mesh->triangles.size();
    EXPECT_LT(half, whole * 2 / 3);
    EXPECT_GT(half, whole / 3);
    // A cartoon row draws no ligands or waters of its own.
    EXPECT_TRUE(Content().spheres.empty());

    ASSERT_TRUE(Run("label name CA and resi 1-3"));
    content = Content();
    ASSERT_EQ(content.labels.size(), 3U);
    EXPECT_EQ(content.labels[0].text, "2 CA ALA1");
}

TEST_F(RepresentationTest, ColoursHideAndSelectionsReshapeTheRows) {
    // Colouring all of the menus' row is what the colour menu does.
    ASSERT_TRUE(Run("color chain"));
    EXPECT_EQ(view.colourMode, kColourChain);
    ASSERT_EQ(view.representations.size(), 1U);
    EXPECT_TRUE(view.representations[0].followsMenus);

    // A part of it splits off as a row of its own in the menus' style.
    view.colourMode = kColourElement;
    ASSERT_TRUE(Run("color red, resn HOH"));
    ASSERT_EQ(view.representations.size(), 2U);
    const Representation& water = view.representations[1];
    EXPECT_EQ(water.style, Style::kWireFrame);
    EXPECT_EQ(water.colouring, Representation::Colouring::kFixed);
    SceneContent content = Content();
    ASSERT_EQ(content.points.size(), 52U);
    const auto pointOf = [&content](int atom) {
        return *std::find_if(content.points.begin(), content.points.end(),
                             [atom](const ScenePoint& p) { return p.atom == atom; });
    };
    EXPECT_FLOAT_EQ(pointOf(48).colour[0], 1.0F);
    EXPECT_FLOAT_EQ(pointOf(48).colour[1], 0.2F);
    EXPECT_EQ(pointOf(0).colour[0], static_cast<float>(ElementTable::Row(7).red));

    // hide water (no style: every style) leaves the ion and the chain.
    ASSERT_TRUE(Run("hide resn HOH"));
    EXPECT_EQ(Content().points.size(), 49U);
    // The water's own row, hidden whole, is gone; the menus' row keeps the rest.
    ASSERT_EQ(view.representations.size(), 1U);
    EXPECT_EQ(view.representations[0].selection, "((all) and not (resn HOH)) and not (resn HOH)");
    ASSERT_TRUE(Run("show wire, resn HOH"));
    EXPECT_EQ(Content().points.size(), 52U);

    // Named selections: the atoms at the time of the command.
    ASSERT_TRUE(Run("select pocket, within 3 of resn CL"));
    EXPECT_EQ(SelectionEvaluator::Count(view.namedSelections.at("pocket")), 1U);
    ASSERT_TRUE(Run("select elem H"));
    EXPECT_EQ(SelectionEvaluator::Count(view.namedSelections.at("sele")), 2U);
    ASSERT_TRUE(Run("show spheres, sele"));
    EXPECT_EQ(Content().spheres.size(), 2U);
    ASSERT_TRUE(Run("reset"));
    EXPECT_TRUE(view.representations.empty());
}

TEST_F(RepresentationTest, RefusedCommandsSayWhyAndChangeNothing) {
    EXPECT_EQ(Refusal("spin 90"),
              "unknown command 'spin' (show, hide, color, label, select, zoom, orient, reset)");
    EXPECT_EQ(Refusal("show bubbles, all"),
              "show: expected a style (wire, sticks, ballstick, spheres, ribbon, cartoon, "
              "labels), found 'bubbles'");
    EXPECT_EQ(Refusal("show sticks, chain"),
              "selection 'chain': column 6: expected a chain name after 'chain', found the end");
    EXPECT_EQ(Refusal("color plaid, all").substr(0, 27), "color: expected a colouring");
    EXPECT_EQ(Refusal("color residue green"),
              "color: only element colours take a colour for carbon, not 'residue green'");
    EXPECT_EQ(Refusal("select 2x, all").substr(0, 31), "select: '2x' cannot name a sele");
    EXPECT_EQ(Refusal("zoom none"), "zoom: 'none' holds no atom");
    EXPECT_EQ(Refusal("show sticks, ghost"), "selection 'ghost': no selection is named 'ghost'");
    EXPECT_TRUE(view.representations.empty());
    EXPECT_TRUE(view.namedSelections.empty());

    std::string said;
    EXPECT_FALSE(
        ViewScript(view, document)
            .RunScript("# a comment\n\nshow sticks, water\nshow nothing\nshow wire", said));
    EXPECT_EQ(said, "line 4: show: expected a style (wire, sticks, ballstick, spheres, ribbon, "
                    "cartoon, labels), found 'nothing'");
    // The lines before the faulty one have run.
    EXPECT_EQ(view.representations.size(), 2U);
}

TEST_F(RepresentationTest, ZoomAndOrientFitTheCameraToTheSelection) {
    view.camera.Turn(30, 40);
    const Matrix4 turned = view.camera.orientation;
    ASSERT_TRUE(Run("zoom resn HOH or resn CL"));
    // The box from the water's O (x 19.76 ... 20.96) to the ion at x 30.
    EXPECT_NEAR(view.camera.centre.x, (19.76 + 30.0) / 2, 1e-9);
    EXPECT_NEAR(view.camera.centre.y, 0.93 / 2, 1e-9);
    // 3 / (largest − smallest pair distance) of the four atoms.
    EXPECT_NEAR(view.camera.fitScale, 3.0 / (Length({10.24, -0.93, 0.0}) - 0.96), 1e-6);
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(view.camera.orientation[static_cast<std::size_t>(k)],
                  turned[static_cast<std::size_t>(k)]);
    // orient turns the ion–water line across the picture (the x axis).
    ASSERT_TRUE(Run("orient resn HOH or resn CL"));
    const Point3D across = TransformPoint(view.camera.orientation, {1.0, 0.0, 0.0});
    EXPECT_GT(std::abs(across.x), 0.99);
}

} // namespace
