// What every model shares: the reading order, copies, residue selection.

#include "io/StdioFile.h"
#include "model/BondLimits.h"
#include "model/ResidueVisibility.h"
#include "tests/support/TestMolData.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

namespace {

const char* const kTwoGeometries = "C 0 0 0 0 ALA\r\n"
                                   "O 1.2 0 0 0 ALA\r\n"
                                   "N 4 0 0 1 GLY\r\n"
                                   "--\r\n"
                                   "C 0 0 0 0 ALA\r\n"
                                   "O 3 0 0 0 ALA\r\n"
                                   "N 4 2 0 1 GLY\r\n";

TEST(MolDataLoad, ReadsEveryGeometryInOrderAndShowsTheLast) {
    TempDir dir;
    StdioFile file;
    ASSERT_TRUE(file.Open(dir.Write("two.txt", kTwoGeometries), StdioFile::modeRead));
    BondLimits::instance().ApplyBuiltIn();
    TestMolData mol(&file, true, 0);
    EXPECT_EQ(mol.frameCount, 2);
    EXPECT_EQ(mol.atomCount, 3);
    EXPECT_EQ(mol.firstShownFrame, 1);
    EXPECT_EQ(mol.framePositions, (std::vector<std::int64_t>{0, 51}));
    // Bonds per geometry: C=O in the first only.
    EXPECT_EQ(mol.GetBondCount(0, 0), 1);
    EXPECT_EQ(mol.GetBondCount(1, 0), 0);
    Point3D centre;
    centre = mol.GetCentre(1);
    EXPECT_EQ(centre.x, 2.0);
    EXPECT_EQ(centre.y, 1.0);
    EXPECT_TRUE(ResidueVisibility().ShowsAtom(mol, 1, 2));
    EXPECT_FALSE(ResidueVisibility().ShowsAtom(mol, 1, 3)); // no such atom
    EXPECT_EQ(mol.GetLabel(1, 1), "O");
}

TEST(MolDataAssign, DeepCopyWithTheCopyingClassKind) {
    TestMolData source({{"C", 0, 0, 0, 0}, {"O", 1.2, 0, 0, 1}});
    source.sourceKind = CMolData::SourceKind::kGaussian;
    source.gaussianFileType = CMolData::GaussianFileType::kOutput;
    source.gaussianVersion = 16;
    source.vibrationState = CMolData::kVibrationPresent;
    source.bondsFromFile = 1;
    source.AddResidueLabel(1, "SER2", 0);
    source.GetFrame(0)->Atom(1).dx = 0.5;

    TestMolData gaussianCopy(CMolData::kGaussianCopy);
    gaussianCopy.Assign(source);
    EXPECT_EQ(gaussianCopy.sourceKind, CMolData::SourceKind::kGaussian);
    EXPECT_EQ(gaussianCopy.gaussianFileType, CMolData::GaussianFileType::kInput);
    EXPECT_EQ(gaussianCopy.gaussianVersion, 3);
    EXPECT_EQ(gaussianCopy.vibrationState, CMolData::kVibrationNone);
    EXPECT_EQ(gaussianCopy.inputGeometryType, 0);
    EXPECT_EQ(gaussianCopy.bondsFromFile, 1);
    EXPECT_EQ(gaussianCopy.frameCount, 1);
    EXPECT_EQ(gaussianCopy.GetAtomCoord(0, 1, 3), 0.5);
    EXPECT_EQ(gaussianCopy.GetResidueLabels(0).at(1), "SER2");

    TestMolData pdbCopy(CMolData::kPdbCopy);
    pdbCopy.Assign(source);
    EXPECT_EQ(pdbCopy.sourceKind, CMolData::SourceKind::kPdb);
    EXPECT_EQ(pdbCopy.gaussianFileType, CMolData::GaussianFileType::kPdb);
    EXPECT_EQ(pdbCopy.gaussianVersion, 0);
    EXPECT_EQ(pdbCopy.inputGeometryType, 3);

    // The copy owns its own geometries.
    source.SetAtomPosXYZ(0, 0, 9, 9, 9);
    EXPECT_EQ(pdbCopy.GetAtomCoord(0, 0, 0), 0.0);
    // Copying onto itself keeps the geometries.
    pdbCopy.Assign(pdbCopy);
    EXPECT_EQ(pdbCopy.frameCount, 1);
    EXPECT_EQ(pdbCopy.GetLabel(0, 1), "O");
}

// A model is a value: a copy keeps every geometry with its modes and owns
// them; geometries and atoms that do not exist read blank whatever was
// written to them, and keeping fewer geometries keeps the model whole.
TEST(MolDataValue, CopiesOwnTheirGeometriesAndMissingOnesStayBlank) {
    TestMolData source({{"C", 0, 0, 0, 0}, {"O", 1.2, 0, 0, 1}});
    source.GetFrame(0)->modes.resize(2);
    source.GetFrame(0)->energy = -1.5;
    const CMolData copy = source;
    source.SetAtomPosXYZ(0, 1, 9, 9, 9);
    source.GetFrame(0)->modes.clear();
    EXPECT_EQ(copy.GetAtomCoord(0, 1, 0), 1.2);
    EXPECT_EQ(copy.GetFrame(0)->modes.size(), 2U);
    EXPECT_EQ(copy.GetFrame(0)->energy, -1.5);
    CMolData assigned;
    assigned = copy;
    EXPECT_EQ(assigned.GetLabel(0, 1), "O");

    source.SetElement(0, 99, 6);
    source.SetAtomPosXYZ(3, 0, 1, 2, 3);
    const CMolData& read = source;
    EXPECT_EQ(read.GetElement(0, 99), 0);
    EXPECT_EQ(read.GetAtomPos(3, 0).z, 0.0);
    EXPECT_EQ(read.GetAtomPos(0, 7).x, 0.0); // an atom past the end: the origin
    EXPECT_EQ(read.GetDistance(0, 0, 7), 0.0);

    TestMolData three({{"C", 0, 0, 0}});
    three.AppendFrame(MakeTestFrame({{"C", 1, 0, 0}}));
    three.AppendFrame(MakeTestFrame({{"C", 2, 0, 0}}));
    three.frameCount = 3;
    three.framePositions = {0, 10, 20};
    three.firstShownFrame = 2;
    three.KeepFrames(2);
    EXPECT_EQ(three.frameCount, 2);
    EXPECT_EQ(three.framePositions.size(), 2U);
    EXPECT_EQ(three.firstShownFrame, 1);
    three.KeepOnlyFrame(1);
    EXPECT_EQ(three.frameCount, 1);
    EXPECT_EQ(three.GetAtomCoord(0, 0, 0), 1.0);
    EXPECT_EQ(three.framePositions, (std::vector<std::int64_t>{10}));
}

TEST(MolDataSelection, ModesShowAndHideResidues) {
    TestMolData mol({{"C", 0, 0, 0, 0}, {"C", 1, 0, 0, 1}, {"C", 2, 0, 0, 1}, {"C", 3, 0, 0, 2}});
    const TestMolData before = mol;
    auto shown = [&mol](const ResidueVisibility& residues) {
        std::string s;
        for (int a = 0; a < mol.atomCount; ++a)
            s += residues.ShowsAtom(mol, 0, a) ? '1' : '0';
        return s;
    };
    EXPECT_EQ(shown(ResidueVisibility()), "1111");      // nothing chosen yet
    EXPECT_EQ(shown(ResidueVisibility({}, 0)), "0000"); // nothing selected: all hidden
    EXPECT_EQ(ResidueVisibility({}, 0).CountShown(mol, 0), 0);
    const ResidueVisibility only({7, 1, 1}, 0);
    EXPECT_EQ(only.Selected(), (std::vector<int>{1, 7}));
    EXPECT_EQ(only.CountShown(mol, 0), 2);
    EXPECT_EQ(shown(only), "0110");
    EXPECT_EQ(shown(ResidueVisibility({1, 7}, 1)), "1001");
    EXPECT_EQ(shown(ResidueVisibility({1, 7}, 2)), "1111");
    EXPECT_EQ(shown(ResidueVisibility({1, 7}, -5)), "1111");
    EXPECT_EQ(ResidueVisibility({1, 7}, -5), ResidueVisibility({7, 1}, 2));
    EXPECT_NE(ResidueVisibility({1, 7}, 0), ResidueVisibility({1}, 0));
    // A model without residues shows every atom whatever is chosen; the
    // model itself never changes by what is shown of it.
    TestMolData plain({{"C", 0, 0, 0}, {"O", 1, 0, 0}});
    plain.GetFrame(0)->residueCount = 0;
    EXPECT_EQ(ResidueVisibility({}, 0).CountShown(plain, 0), 2);
    EXPECT_EQ(mol.GetResidueIndex(0, 3), before.GetResidueIndex(0, 3));
}

TEST(MolDataSerials, ReverseLookUpFindsTheFirstSerial) {
    CMolFrame frame(3);
    frame.SetSerial(17, 0);
    frame.SetSerial(20, 2);
    EXPECT_EQ(frame.SerialOfAtom(0), 17);
    EXPECT_EQ(frame.SerialOfAtom(1), -1);
    EXPECT_EQ(frame.IndexOfSerial(20), 2);
    EXPECT_EQ(frame.IndexOfSerial(99), -1);
    frame.SetSerial(5, 2);
    EXPECT_EQ(frame.SerialOfAtom(2), 5);
    EXPECT_EQ(frame.SerialOfAtom(7), -1);
}

TEST(MolDataFrame, BondsFromAFileKeepTenAndLabelsSevenCharacters) {
    CMolFrame frame(2);
    const int partners[12] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
    frame.SetBonds(0, partners, 12);
    EXPECT_EQ(frame.Atom(0).bondCount, 10);
    frame.Atom(1).SetLabel("ABCDEFGHIJ");
    EXPECT_STREQ(frame.Atom(1).label, "ABCDEFG");
    frame.Atom(1).SetLabel(nullptr);
    EXPECT_STREQ(frame.Atom(1).label, "");
}

} // namespace
