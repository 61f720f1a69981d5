// What a picture shows, decided without OpenGL: the scene content a view's
// state and a model give, when it is built again, and the CPU pick against
// it.

#include "formats/CPDBData.h"
#include "model/CMolData.h"
#include "model/ElementData.h"
#include "model/ElementTable.h"
#include "render/CMolScene.h"
#include "render/CartoonBuilder.h"
#include "render/ColourScheme.h"
#include "render/MolDocState.h"
#include "render/SceneContentBuilder.h"
#include "render/ScenePick.h"
#include "render/ViewState.h"
#include "tests/support/ColourNames.h"
#include "tests/support/IdealBackbone.h"
#include "tests/support/TestMolData.h"
#include "tests/unit/ReadText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class SceneContentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadElementData(); }

    // O at the origin, H at ±0.96 Å on x, bonded to it, in residue 0; a C
    // 3 Å up in residue 1, bonded to nothing.
    void SetUp() override {
        auto read = std::make_unique<CMolData>(TestMolData({{"O", 0, 0, 0, 0, "HOH"},
                                                            {"H", 0.96, 0, 0, 0, "HOH"},
                                                            {"H", -0.96, 0, 0, 0, "HOH"},
                                                            {"C", 0, 3, 0, 1, "ALA"}}));
        model = read.get();
        document.data = std::move(read);
        CMolFrame& frame = *model->GetFrame(0);
        const int oxygen[] = {1, 2}, hydrogen[] = {0};
        frame.SetBonds(0, oxygen, 2);
        frame.SetBonds(1, hydrogen, 1);
        frame.SetBonds(2, hydrogen, 1);
        document.ComputeDerivedSizes();
        view.camera.Refit(*document.data, 0);
    }

    double Radius(int element) const {
        return document.ballAtomScale * ElementTable::Row(element).radius;
    }

    MolDocState document;
    // The model the document holds, changed by the tests as a reader would.
    CMolData* model = nullptr;
    ViewState view;
};

TEST_F(SceneContentTest, BallAndStickSpheresAndTheSticksOutsideThem) {
    view.displayFlags = ViewState::kBallAndStick;
    view.measurementSelection = {2};
    SceneContent content = BuildSceneContent(view, document);
    ASSERT_EQ(content.spheres.size(), 4U);
    EXPECT_TRUE(content.lit);
    EXPECT_TRUE(content.points.empty());
    EXPECT_TRUE(content.lines.empty());
    for (int a = 0; a < 4; ++a) {
        const SceneSphere& sphere = content.spheres[static_cast<std::size_t>(a)];
        EXPECT_EQ(sphere.atom, a);
        const int element = document.data->GetElement(0, a);
        EXPECT_DOUBLE_EQ(sphere.radius, Radius(element));
        const ElementRecord& row = ElementTable::Row(element);
        EXPECT_FLOAT_EQ(sphere.colour[0], static_cast<float>(row.red));
        EXPECT_FLOAT_EQ(sphere.colour[2], static_cast<float>(row.blue));
        EXPECT_EQ(sphere.selected, a == 2);
    }
    // Two O–H sticks, each from where its wall leaves the oxygen's sphere to
    // where it enters the hydrogen's.
    ASSERT_EQ(content.sticks.size(), 2U);
    // At the sizes 10 and 10 the settings start with, an oxygen's ball is
    // 0.3 Å, a hydrogen's 0.21 Å and a stick 0.08 Å thick: the stick's wall
    // leaves the oxygen at x = √(0.3² − 0.08²) = √0.0836 and enters the
    // hydrogen at 0.96 − √(0.21² − 0.08²) = 0.96 − √0.0377.
    ASSERT_EQ(document.ballAtomSize, 10);
    ASSERT_EQ(document.ballBondWidth, 10);
    const SceneStick& stick = content.sticks[0];
    EXPECT_NEAR(stick.radius, 0.08, 1e-12);
    EXPECT_NEAR(stick.from.x, 0.2891366459, 1e-9);
    EXPECT_NEAR(stick.to.x, 0.7658351216, 1e-9);
    EXPECT_EQ(stick.colour, kBondGrey);

    // Spheres so large they meet: the bond is hidden inside them, no stick.
    document.ballAtomSize = 40;
    document.ComputeDerivedSizes();
    EXPECT_TRUE(BuildSceneContent(view, document).sticks.empty());
}

TEST_F(SceneContentTest, HiddenAtomsTakeTheirSpheresAndOnlyHydrogensTheirBonds) {
    view.displayFlags = ViewState::kBallAndStick;
    view.showHydrogens = 0;
    SceneContent content = BuildSceneContent(view, document);
    ASSERT_EQ(content.spheres.size(), 2U);
    EXPECT_EQ(content.spheres[1].atom, 3);
    EXPECT_TRUE(content.sticks.empty());

    // A hidden residue's atom (of a protein file) has no sphere, but a bond
    // from a shown atom still reaches its centre, uncut.
    view.showHydrogens = 1;
    model->sourceKind = CMolData::SourceKind::kPdb;
    CMolFrame& frame = *model->GetFrame(0);
    frame.Atom(1).residueIndex = 2; // a residue of its own
    frame.residueCount = 3;
    document.residues = ResidueVisibility({2}, ResidueVisibility::kHideSelected);
    content = BuildSceneContent(view, document);
    EXPECT_EQ(content.spheres.size(), 3U);
    ASSERT_EQ(content.sticks.size(), 2U);
    EXPECT_DOUBLE_EQ(content.sticks[0].to.x, 0.96);

    // An atom without a finite position is left out whole.
    frame.Atom(3).y = std::numeric_limits<double>::quiet_NaN();
    frame.hasNonFinitePosition = true;
    content = BuildSceneContent(view, document);
    for (const SceneSphere& sphere : content.spheres)
        EXPECT_NE(sphere.atom, 3);
}

TEST_F(SceneContentTest, WireFrameMarksLinesAndArrows) {
    view.displayFlags = ViewState::kWireFrame;
    view.measurementSelection = {0};
    SceneContent content = BuildSceneContent(view, document);
    EXPECT_FALSE(content.lit);
    ASSERT_EQ(content.points.size(), 4U);
    EXPECT_EQ(content.points[0].colour, (Rgba{1.0F, 1.0F, 1.0F, 1.0F})); // selected: white
    EXPECT_DOUBLE_EQ(content.pointSize, document.wireAtomScale);
    EXPECT_DOUBLE_EQ(content.lineWidth, document.wireBondScale);
    ASSERT_EQ(content.lines.size(), 2U);
    EXPECT_EQ(content.lines[0].colour, kBondGrey);
    EXPECT_TRUE(content.depthTest);
    EXPECT_TRUE(content.cones.empty());

    // Invisible marks: transparent, and nothing hides what lies behind.
    document.hideAtoms = 1;
    view.measurementSelection.clear();
    content = BuildSceneContent(view, document);
    EXPECT_EQ(content.points[1].colour[3], 0.0F);
    EXPECT_FALSE(content.depthTest);

    // Arrows of the displacements (times the arrow scale), none where an
    // atom does not move; the atoms drawn moved along the mode by the
    // vibration's offset, and lit.
    document.hideAtoms = 0;
    model->vibrationState = CMolData::kVibrationPresent;
    model->GetFrame(0)->Atom(1).dy = 0.5;
    view.displayFlags = ViewState::kWireFrame | ViewState::kVibration;
    view.arrowScale = 2.0;
    view.vibrationOffset = 0.2;
    content = BuildSceneContent(view, document);
    EXPECT_TRUE(content.lit);
    ASSERT_EQ(content.cones.size(), 1U);
    const SceneCone& cone = content.cones[0];
    EXPECT_EQ(cone.atom, 1);
    EXPECT_NEAR(cone.base.y, 0.1, 1e-12);
    EXPECT_NEAR(cone.tip.y - cone.base.y, 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(cone.radius, kArrowRadius);
    EXPECT_NEAR(content.points[1].at.y, 0.1, 1e-12);
    EXPECT_NEAR(content.lines[0].to.y, 0.1, 1e-12);
}

TEST_F(SceneContentTest, ResidueColoursLabelsAndTheRibbonOfProteinsOnly) {
    view.displayFlags = ViewState::kWireFrame;
    view.colourMode = 1;
    view.labelledAtoms = {3, 1};
    view.labelsInElementColour = false;
    view.labelColour[0] = 0.25F;
    SceneContent content = BuildSceneContent(view, document);
    const std::array<double, 3> water = document.data->GetResidueColour("HOH");
    EXPECT_FLOAT_EQ(content.lines[0].colour[0], static_cast<float>(water[0]));
    EXPECT_FLOAT_EQ(content.points[3].colour[1],
                    static_cast<float>(document.data->GetResidueColour("ALA")[1]));
    ASSERT_EQ(content.labels.size(), 2U);
    EXPECT_EQ(content.labels[0].atom, 3);
    EXPECT_EQ(content.labels[0].text, document.data->GetAtomDescription(0, 3));
    EXPECT_DOUBLE_EQ(content.labels[0].lift, ElementTable::Row(6).radius * 0.3);
    EXPECT_FLOAT_EQ(content.labels[0].colour[0], 0.25F);
    // No ribbon without a protein's backbone.
    view.displayFlags = ViewState::kRibbon;
    view.labelledAtoms.clear();
    EXPECT_TRUE(BuildSceneContent(view, document).Empty());
}

TEST_F(SceneContentTest, BuiltAgainOnlyWhenAnInputChanges) {
    CMolScene scene(&view, &document);
    view.displayFlags = ViewState::kBallAndStick;
    const SceneSphere* first = scene.Content().spheres.data();
    view.camera.Turn(30, 40);
    view.camera.SetZoom(3.0);
    EXPECT_EQ(scene.Content().spheres.data(), first);
    // The model changed in place is drawn anew.
    model->GetFrame(0)->Atom(3).x = 1.5;
    EXPECT_DOUBLE_EQ(scene.Content().spheres[3].centre.x, 1.5);
    view.measurementSelection = {1};
    EXPECT_TRUE(scene.Content().spheres[1].selected);
}

// Where model point p lies in a window of width × height, y downwards.
struct Pixel {
    double x, y;
};
Pixel Project(const Camera& camera, const Point3D& p, int width, int height) {
    const Point3D ndc = TransformPoint(
        Multiply(camera.Projection(static_cast<double>(width) / height), camera.ModelView()), p);
    return {(ndc.x + 1.0) * 0.5 * width, height - (ndc.y + 1.0) * 0.5 * height};
}

TEST(ScenePickTest, NearestInTheFiveByFiveSquareTheEarlierOnATie) {
    Camera camera;
    camera.fitScale = 0.5;
    constexpr int kW = 400, kH = 300;
    const PickView view = PickView::Of(camera, kW, kH);
    SceneContent content;
    // Two spheres on the line of sight, the later one nearer the eye (+z).
    content.spheres = {{{0, 0, 0}, 0.5, {}, false, 0}, {{0, 0, 2}, 0.5, {}, false, 1}};
    const Pixel centre = Project(camera, {0, 0, 0}, kW, kH);
    EXPECT_EQ(PickAtom(content, view, centre.x, centre.y), 1);
    // At equal depth the earlier atom wins.
    content.spheres[1].centre = {0, 0, 0};
    EXPECT_EQ(PickAtom(content, view, centre.x, centre.y), 0);

    // The sphere's edge counts within the square: a click 2 pixels beyond
    // its silhouette meets it, one 3.5 pixels beyond does not.
    content.spheres = {{{1, 0, 0}, 0.5, {}, false, 7}};
    const double edge = Project(camera, {1.5, 0, 0}, kW, kH).x;
    EXPECT_EQ(PickAtom(content, view, edge + 2.0, centre.y), 7);
    EXPECT_EQ(PickAtom(content, view, edge + 3.5, centre.y), -1);

    // A wire-frame mark only by its centre.
    content.spheres.clear();
    content.points = {{{-1, 0, 0}, {}, 4}};
    const Pixel mark = Project(camera, {-1, 0, 0}, kW, kH);
    EXPECT_EQ(PickAtom(content, view, mark.x + 2.0, mark.y - 2.0), 4);
    EXPECT_EQ(PickAtom(content, view, mark.x + 3.0, mark.y), -1);

    // An arrow picks its atom along its length, beyond the mark.
    content.cones = {{{-1, 0, 0}, {-1, 1.5, 0}, kArrowRadius, {}, 4}};
    const Pixel shaft = Project(camera, {-1, 1.0, 0}, kW, kH);
    EXPECT_EQ(PickAtom(content, view, shaft.x, shaft.y), 4);
    EXPECT_EQ(PickAtom(content, view, shaft.x + 6.0, shaft.y), -1);
}

TEST(ScenePickTest, TurnedAndMovedViewsPickWhatTheyShow) {
    Camera camera;
    camera.fitScale = 0.3;
    camera.Turn(35, -50);
    camera.Pan(40, 25);
    camera.SetZoom(2.0);
    constexpr int kW = 640, kH = 480;
    const PickView view = PickView::Of(camera, kW, kH);
    SceneContent content;
    for (int i = 0; i < 5; ++i)
        content.spheres.push_back({{i * 1.5 - 3.0, 0.4 * i, -0.3 * i}, 0.4, {}, false, i});
    for (int i = 0; i < 5; ++i) {
        const Pixel p =
            Project(camera, content.spheres[static_cast<std::size_t>(i)].centre, kW, kH);
        EXPECT_EQ(PickAtom(content, view, p.x, p.y), i);
    }
    EXPECT_EQ(PickAtom(content, view, 2.0, 2.0), -1);
}

} // namespace

// The cartoon's curve runs through the CA atoms, except within a strand,
// where the CA atoms zigzag across the strand's course: there it runs
// through points between them, so the arrow lies flat and straight.
TEST(CartoonCurveTest, StrandsAreStraightenedAndNothingElse) {
    std::vector<BackboneResidue> strand =
        IdealBackbone(std::vector<std::pair<double, double>>(9, {-120.0, 130.0}));
    std::vector<BackboneResidue> other = strand;
    for (BackboneResidue& r : other) {
        for (Point3D* p : {&r.n, &r.ca, &r.c, &r.o})
            p->z += 30.0;
    }
    auto model = ReadText<CPDBData>(BackbonePdb({{'A', strand}, {'B', other}}));
    CMolFrame& frame = model->Frame(0);
    ASSERT_EQ(frame.residueIds.size(), 18U);
    const auto ca = [&](std::size_t k) {
        return frame.Position(frame.residueAtoms.at(static_cast<int>(k))[1]);
    };
    // The zigzag at k: how far a point lies from the middle of its two neighbours.
    const auto zigzag = [](const std::vector<Point3D>& points, std::size_t k) {
        return Length(Minus(points[k], Scaled(Plus(points[k - 1], points[k + 1]), 0.5)));
    };
    std::vector<Point3D> cas;
    for (std::size_t k = 0; k < 18; ++k)
        cas.push_back(ca(k));

    frame.assignedSecondary.assign(18, 'E');
    std::vector<Point3D> points = CartoonBuilder::CurvePoints(frame);
    ASSERT_EQ(points.size(), 18U);
    // Each chain's ends stay at their CA; the inner points are between.
    for (const std::size_t end : {0U, 8U, 9U, 17U})
        EXPECT_LT(Length(Minus(points[end], cas[end])), 1e-9) << end;
    for (std::size_t k = 2; k <= 6; ++k) {
        EXPECT_GT(zigzag(cas, k), 0.5) << k;
        EXPECT_LT(zigzag(points, k), 0.25 * zigzag(cas, k)) << k;
    }
    // Coil and helix residues keep their CA.
    frame.assignedSecondary.assign(18, ' ');
    for (std::size_t k = 10; k < 18; ++k)
        frame.assignedSecondary[k] = 'H';
    points = CartoonBuilder::CurvePoints(frame);
    for (std::size_t k = 0; k < 18; ++k)
        EXPECT_LT(Length(Minus(points[k], cas[k])), 1e-9) << k;
}

namespace {

std::string NameOf(const Rgba& colour) {
    return ColourName(colour[0], colour[1], colour[2]);
}

} // namespace

// The colours the user guide names for each scheme: the structure codes
// (H red, G violet, I orange, E yellow, B ochre, T blue, S green, none
// grey), the N-to-C rainbow of a chain (blue at its first residue, green in
// its middle, red at its last), the B-factor ramp (blue, white, red).
TEST(ColourSchemeTest, TheColoursTheGuideNames) {
    for (const auto& [code, name] :
         {std::pair{'H', "red"}, std::pair{'G', "violet"}, std::pair{'I', "orange"},
          std::pair{'E', "yellow"}, std::pair{'B', "ochre"}, std::pair{'T', "blue"},
          std::pair{'S', "green"}, std::pair{' ', "grey"}})
        EXPECT_EQ(NameOf(ColourSchemes::SecondaryColour(code)), name) << code;
    EXPECT_EQ(NameOf(ColourSchemes::BFactorColour(10.0, 10.0, 50.0)), "blue");
    EXPECT_EQ(NameOf(ColourSchemes::BFactorColour(30.0, 10.0, 50.0)), "white");
    EXPECT_EQ(NameOf(ColourSchemes::BFactorColour(50.0, 10.0, 50.0)), "red");

    // A chain of eleven residues read from a file: each residue's atoms by
    // where the residue stands in its chain.
    auto model = ReadText<CPDBData>(BackbonePdb(
        {{'A', IdealBackbone(std::vector<std::pair<double, double>>(11, {-57.0, -47.0}))}}));
    ASSERT_NE(model, nullptr);
    const CMolFrame& frame = *model->GetFrame(0);
    ASSERT_EQ(frame.residueIds.size(), 11U);
    const auto rainbow = [&](int residue) {
        Rgba colour{};
        const int ca = frame.residueAtoms.at(residue)[1];
        EXPECT_TRUE(ColourSchemes::ResidueSchemeColour(kColourRainbow, *model, 0, ca, colour));
        return NameOf(colour);
    };
    EXPECT_EQ(rainbow(0), "blue");
    EXPECT_EQ(rainbow(5), "green");
    EXPECT_EQ(rainbow(10), "red");
}

// A π-helix (I) is drawn as the helix it is, exactly as an α-helix (H) of
// the same atoms would be, and not as the coil's thin tube.
TEST(CartoonCurveTest, PiHelicesAreDrawnAsWideAsAlphaHelices) {
    auto model = ReadText<CPDBData>(BackbonePdb(
        {{'A', IdealBackbone(std::vector<std::pair<double, double>>(12, {-57.0, -70.0}))}}));
    ASSERT_NE(model, nullptr);
    CMolFrame& frame = model->Frame(0);
    const auto mesh = [&](char code) {
        frame.assignedSecondary.assign(12, ' ');
        for (std::size_t k = 2; k < 10; ++k)
            frame.assignedSecondary[k] = code;
        const SceneSurface surface = CartoonBuilder::Build(
            frame,
            [](int) {
                return Rgba{1.0F, 1.0F, 1.0F, 1.0F};
            },
            CartoonBuilder::Options());
        return surface.mesh->positions;
    };
    const std::vector<float> alpha = mesh('H'), pi = mesh('I'), coil = mesh(' ');
    EXPECT_EQ(pi, alpha);
    EXPECT_NE(pi, coil);
    // Wider than the coil: the ribbon's edge stands far off the CA trace.
    const auto spread = [](const std::vector<float>& positions) {
        float low = positions[0], high = positions[0];
        for (std::size_t i = 0; i < positions.size(); i += 3) {
            low = std::min(low, positions[i]);
            high = std::max(high, positions[i]);
        }
        return high - low;
    };
    EXPECT_GT(spread(pi), spread(coil) + 0.5F);
}
