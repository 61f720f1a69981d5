// The selection language: parsing, its messages, and what it selects in a
// small structure written out as PDB records.

#include "formats/CPDBData.h"
#include "model/SelectionEvaluator.h"
#include "model/SelectionParser.h"
#include "model/SpatialGrid.h"
#include "tests/support/PdbRecord.h"
#include "tests/unit/ReadText.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Kind = SelectionNode::Kind;

std::string ErrorOf(const std::string& text) {
    return SelectionParser::Parse(text).error;
}

TEST(SelectionParser, OperatorsBindNotThenAndThenOr) {
    const SelectionParser::Result r = SelectionParser::Parse("not water and chain A or NAME ca");
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.root.kind, Kind::kOr);
    ASSERT_EQ(r.root.operands.size(), 2U);
    const SelectionNode& left = r.root.operands[0];
    ASSERT_EQ(left.kind, Kind::kAnd);
    EXPECT_EQ(left.operands[0].kind, Kind::kNot);
    EXPECT_EQ(left.operands[0].operands[0].kind, Kind::kWater);
    EXPECT_EQ(left.operands[1].words, std::vector<std::string>{"A"});
    // Keywords are of any case; values keep theirs.
    EXPECT_EQ(r.root.operands[1].kind, Kind::kAtomName);
    EXPECT_EQ(r.root.operands[1].words, std::vector<std::string>{"ca"});

    // A prefix takes the term after it only; a run of one operator is flat.
    const SelectionParser::Result near =
        SelectionParser::Parse("within 4.5 of resi 1 and !(a|b|c)");
    ASSERT_TRUE(near.ok()) << near.error;
    ASSERT_EQ(near.root.kind, Kind::kAnd);
    EXPECT_EQ(near.root.operands[0].kind, Kind::kWithin);
    EXPECT_DOUBLE_EQ(near.root.operands[0].distance, 4.5);
    EXPECT_EQ(near.root.operands[1].operands[0].operands.size(), 3U);

    const SelectionParser::Result ranges = SelectionParser::Parse("resi -5--1+7+52A+10-20");
    ASSERT_TRUE(ranges.ok()) << ranges.error;
    ASSERT_EQ(ranges.root.ranges.size(), 4U);
    EXPECT_EQ(ranges.root.ranges[0].low, -5);
    EXPECT_EQ(ranges.root.ranges[0].high, -1);
    EXPECT_EQ(ranges.root.ranges[2].insertion, "A");
    EXPECT_EQ(ranges.root.ranges[3].high, 20);
}

TEST(SelectionParser, ErrorsNameTheColumnAndWhatWasExpected) {
    EXPECT_EQ(ErrorOf(""), "column 1: expected a selection, found the end");
    EXPECT_EQ(ErrorOf("chain"), "column 6: expected a chain name after 'chain', found the end");
    EXPECT_EQ(ErrorOf("protein and"), "column 12: expected a selection, found the end");
    EXPECT_EQ(ErrorOf("(water"),
              "column 7: expected ')' to close the '(' at column 1, found the end");
    EXPECT_EQ(ErrorOf("water)"), "column 6: no ')' without a '(' before it");
    EXPECT_EQ(ErrorOf("within x of water"),
              "column 8: expected a distance in Å (0 to 1000) after 'within', found 'x'");
    EXPECT_EQ(ErrorOf("around 5 water"),
              "column 10: expected 'of' after 'around 5', found 'water'");
    EXPECT_EQ(ErrorOf("resi 20-10"),
              "column 6: expected a residue number or a range such as 10-20 after 'resi', found "
              "'20-10'");
    EXPECT_EQ(ErrorOf("resn ALA++GLY"),
              "column 6: expected a residue name on each side of '+', found 'ALA++GLY'");
    EXPECT_EQ(ErrorOf("water water"), "column 7: expected 'and', 'or' or the end, found 'water'");
    EXPECT_EQ(ErrorOf("3abc"),
              "column 1: expected a keyword or the name of a selection, found '3abc'");
    EXPECT_EQ(SelectionParser::Parse("protein or (").errorColumn, 13U);

    EXPECT_TRUE(SelectionParser::IsValidName("pocket_2"));
    EXPECT_FALSE(SelectionParser::IsValidName("Protein"));
    EXPECT_FALSE(SelectionParser::IsValidName("of"));
    EXPECT_FALSE(SelectionParser::IsValidName("a-b"));
}

// Two chains: A an alanine (with an old-style hydrogen name), a glycine
// and its inserted twin 52A; B a serine; then a ligand, a sodium ion and
// two waters, one near the ligand and one far off.
std::unique_ptr<CMolData> SmallStructure(const TempDir& dir) {
    std::string text;
    int serial = 0;
    const auto add = [&](bool het, const char* name, const char* residue, char chain, int number,
                         char insertion, double x, const char* element) {
        text +=
            PdbRecord(het, ++serial, name, residue, chain, number, insertion, x, 0.0, 0.0, element);
    };
    add(false, "N", "ALA", 'A', 51, ' ', 0.0, "N");
    add(false, "CA", "ALA", 'A', 51, ' ', 1.5, "C");
    add(false, "CB", "ALA", 'A', 51, ' ', 1.5, "C");
    add(false, "1HB", "ALA", 'A', 51, ' ', 2.0, "H");
    add(false, "N", "GLY", 'A', 52, ' ', 3.0, "N");
    add(false, "CA", "GLY", 'A', 52, ' ', 4.5, "C");
    add(false, "N", "GLY", 'A', 52, 'A', 6.0, "N");
    add(false, "CA", "GLY", 'A', 52, 'A', 7.5, "C");
    add(false, "N", "SER", 'B', 1, ' ', 20.0, "N");
    add(false, "OG", "SER", 'B', 1, ' ', 21.0, "O");
    add(true, "C1", "LIG", 'B', 101, ' ', 30.0, "C");
    add(true, "O1", "LIG", 'B', 101, ' ', 31.0, "O");
    add(true, "NA", "NA", 'B', 102, ' ', 40.0, "NA");
    add(true, "O", "HOH", 'B', 201, ' ', 33.5, "O");
    add(true, "O", "HOH", 'B', 202, ' ', 60.0, "O");
    return ReadFile<CPDBData>(dir.Write("small.pdb", text + "END\n"));
}

std::vector<int> Picked(const CMolData& model, const std::string& text,
                        const SelectionEvaluator::NamedSelections* named = nullptr) {
    SelectionEvaluator::Mask mask;
    std::string error;
    if (!SelectionEvaluator(model, 0, named).Select(text, mask, error)) {
        ADD_FAILURE() << text << ": " << error;
        return {};
    }
    std::vector<int> atoms;
    for (std::size_t a = 0; a < mask.size(); ++a) {
        if (mask[a] != 0)
            atoms.push_back(static_cast<int>(a) + 1); // serials, as written above
    }
    return atoms;
}

using Atoms = std::vector<int>;

TEST(SelectionEvaluator, PropertiesAndClassesOfASmallStructure) {
    TempDir dir;
    const std::unique_ptr<CMolData> model = SmallStructure(dir);
    ASSERT_TRUE(model);
    ASSERT_EQ(model->atomCount, 15);
    const CMolData& m = *model;
    EXPECT_EQ(Picked(m, "chain B"), (Atoms{9, 10, 11, 12, 13, 14, 15}));
    EXPECT_EQ(Picked(m, "chain b"), Atoms{}); // chain names keep their case
    // A single number is the residue without an insertion code; a code
    // names its own; a range spans both.
    EXPECT_EQ(Picked(m, "resi 52"), (Atoms{5, 6}));
    EXPECT_EQ(Picked(m, "resi 52a"), (Atoms{7, 8}));
    EXPECT_EQ(Picked(m, "resi 51-52"), (Atoms{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Picked(m, "resn gly and name CA"), (Atoms{6, 8}));
    // The reader keeps 1HB as HB1; both spellings find it.
    EXPECT_EQ(Picked(m, "name 1HB"), Atoms{4});
    EXPECT_EQ(Picked(m, "name HB*"), Atoms{4});
    EXPECT_EQ(Picked(m, "elem na"), Atoms{13});
    EXPECT_EQ(Picked(m, "index 2-3+15"), (Atoms{2, 3, 15}));
    EXPECT_EQ(Picked(m, "serial 14"), Atoms{14});
    EXPECT_EQ(Picked(m, "protein"), (Atoms{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(Picked(m, "backbone"), (Atoms{1, 2, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Picked(m, "sidechain"), (Atoms{3, 4, 10}));
    EXPECT_EQ(Picked(m, "ligand"), (Atoms{11, 12}));
    EXPECT_EQ(Picked(m, "ion"), Atoms{13});
    EXPECT_EQ(Picked(m, "water"), (Atoms{14, 15}));
    EXPECT_EQ(Picked(m, "hydrogen"), Atoms{4});
    EXPECT_EQ(Picked(m, "hetatm and not water"), (Atoms{11, 12, 13}));
    EXPECT_EQ(Picked(m, "model 1"), Picked(m, "all"));
    EXPECT_EQ(Picked(m, "model 2"), Atoms{});
    EXPECT_EQ(Picked(m, "none or (all and not all)"), Atoms{});
}

TEST(SelectionEvaluator, DistancesResiduesChainsAndNamedSelections) {
    TempDir dir;
    const std::unique_ptr<CMolData> model = SmallStructure(dir);
    ASSERT_TRUE(model);
    const CMolData& m = *model;
    // The ligand spans x = 30 ... 31; the near water sits at 33.5.
    EXPECT_EQ(Picked(m, "within 2.5 of ligand"), (Atoms{11, 12, 14}));
    EXPECT_EQ(Picked(m, "around 2.5 of ligand"), Atoms{14});
    EXPECT_EQ(Picked(m, "around 2.4 of ligand"), Atoms{});
    EXPECT_EQ(Picked(m, "within 0 of name OG"), Atoms{10});
    EXPECT_EQ(Picked(m, "within 5 of none"), Atoms{});
    EXPECT_EQ(Picked(m, "byres name CB"), (Atoms{1, 2, 3, 4}));
    EXPECT_EQ(Picked(m, "bychain name CB"), (Atoms{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(Picked(m, "byres within 1.6 of resi 52a"), (Atoms{5, 6, 7, 8}));

    SelectionEvaluator::NamedSelections named;
    named["sele"] = {0, 0, 1}; // shorter than the structure: the rest unselected
    named["pocket"] = SelectionEvaluator::Mask(15, 1);
    EXPECT_EQ(Picked(m, "sele or resi 52a", &named), (Atoms{3, 7, 8}));
    EXPECT_EQ(Picked(m, "pocket and water", &named), (Atoms{14, 15}));
    SelectionEvaluator::Mask mask;
    std::string error;
    EXPECT_FALSE(SelectionEvaluator(m, 0, &named).Select("water or ghost", mask, error));
    EXPECT_EQ(error, "no selection is named 'ghost'");
    EXPECT_FALSE(SelectionEvaluator(m, 0).Select("sele", mask, error));
}

// A Gaussian job's water: no chains, residues or polymer.
TEST(SelectionEvaluator, ModelsWithoutResiduesMatchByAtom) {
    SelectionEvaluator::Mask mask;
    std::string error;
    CMolData water;
    water.AllocateFrames(1, {3});
    water.SetElement(0, 0, 8);
    water.SetElement(0, 1, 1);
    water.SetElement(0, 2, 1);
    water.SetAtomPosXYZ(0, 1, 0.96, 0, 0);
    water.SetAtomPosXYZ(0, 2, -0.24, 0.93, 0);
    ASSERT_TRUE(SelectionEvaluator(water, 0).Select("protein or chain A or resi 1", mask, error));
    EXPECT_EQ(SelectionEvaluator::Count(mask), 0U);
    ASSERT_TRUE(SelectionEvaluator(water, 0).Select("byres hydrogen", mask, error));
    EXPECT_EQ(mask, (SelectionEvaluator::Mask{0, 1, 1}));
    ASSERT_TRUE(SelectionEvaluator(water, 0).Select("within 1 of index 2", mask, error));
    EXPECT_EQ(mask, (SelectionEvaluator::Mask{1, 1, 0}));
}

TEST(SpatialGrid, AnswersAsAComparisonOfEveryPairWould) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> near(-10.0, 10.0), far(-5000.0, 5000.0);
    for (const double reach : {0.0, 0.7, 3.0, 12.0}) {
        for (const bool spread : {false, true}) {
            std::vector<Point3D> points;
            for (int i = 0; i < 300; ++i)
                points.push_back(spread ? Point3D{far(random), near(random), 0.0}
                                        : Point3D{near(random), near(random), near(random)});
            points.push_back(points.front()); // a point twice
            const SpatialGrid grid(points, reach);
            for (int q = 0; q < 2000; ++q) {
                const Point3D p =
                    q < 20 ? points[static_cast<std::size_t>(q)]
                           : Point3D{near(random) * 1.3, near(random) * 1.3, near(random) * 1.3};
                bool any = false;
                for (const Point3D& o : points)
                    any = any || Length(Minus(o, p)) <= reach;
                ASSERT_EQ(grid.AnyWithin(p), any) << reach << " " << spread << " " << q;
            }
        }
    }
    EXPECT_FALSE(SpatialGrid({}, 5.0).AnyWithin({0, 0, 0}));
}

} // namespace
