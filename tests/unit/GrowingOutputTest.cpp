// An output read while its job still writes it: what is added is read, and
// the model is always the one a fresh reading of the file gives.

#include "formats/CGauData.h"
#include "formats/GaussianLogFollower.h"
#include "io/StdioFile.h"
#include "model/BondLimits.h"
#include "tests/support/GaussianOutputText.h"
#include "tests/unit/GrowingFile.h"
#include "tests/unit/ReadText.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A water optimisation as a job prints it step by step: each step's table,
// SCF text, its energy and convergence table; a frequency job's modes after
// the last; the termination line. rulers gets the offset where the closing
// ruler of each table starts.
std::string OptimisationJob(std::string_view lineEnd, std::vector<std::size_t>& rulers,
                            int steps = 4) {
    GaussianOutputText text(GaussianOutputText::kBanner16, lineEnd);
    const std::vector<OrientationRow> water = {
        {8, 0, 0, 0.1}, {1, 0, 0.76, -0.47}, {1, 0, -0.76, -0.47}};
    char line[160];
    for (int step = 0; step < steps; ++step) {
        std::vector<OrientationRow> rows = water;
        rows[0].z += 0.02 * step;
        text.Orientation("Input", rows);
        rulers.push_back(text.Text().size() - 70 - lineEnd.size());
        text.Filler(7, static_cast<unsigned>(step + 1));
        std::snprintf(line, sizeof line,
                      " SCF Done:  E(RB3LYP) =  -76.40%04d     A.U. after   10 cycles",
                      9000 - step);
        text.Line(line);
        const bool last = step == steps - 1;
        text.Line("         Item               Value     Threshold  Converged?");
        std::snprintf(line, sizeof line, " Maximum Force            0.%06d     0.000450     %s",
                      last ? 12 : 5000 - step, last ? "YES" : "NO ");
        text.Line(line);
        text.Line(" RMS     Force            0.000310     0.000300     NO ");
        text.Line(" Maximum Displacement     0.001800     0.001800     YES");
        text.Line(" RMS     Displacement     0.000900     0.001200     YES");
        text.Line(" Mulliken charges:");
        text.Line("               1");
        std::snprintf(line, sizeof line, "     1  O   -0.6%05d", step);
        text.Line(line);
        text.Line("     2  H    0.327241");
        text.Line("     3  H    0.327241");
        text.Line(" Sum of Mulliken charges =  -0.00000");
    }
    text.Line(" Normal termination of Gaussian 16 at Tue Dec  8 10:00:00 2026.");
    text.Line(" Link1:  Proceeding to internal job step number  2.");
    text.Orientation("Input", water);
    rulers.push_back(text.Text().size() - 70 - lineEnd.size());
    text.Line(" SCF Done:  E(RB3LYP) =  -76.4089     A.U. after    1 cycles");
    text.Line(" Harmonic frequencies (cm**-1), IR intensities (KM/Mole)");
    text.Modes(water, true);
    text.Line(" Temperature   298.150 Kelvin.  Pressure   1.00000 Atm.");
    text.Line(" Zero-point correction=                           0.021667 (Hartree/Particle)");
    text.Line(" Thermal correction to Energy=                    0.024502");
    text.Line(" Sum of electronic and thermal Free Energies=          -76.336646");
    text.Line(" Normal termination of Gaussian 16 at Tue Dec  8 10:05:00 2026.");
    return text.Text();
}

// Every line start, the middle of every line and the last byte before
// every line end.
std::vector<std::size_t> CutsEverywhere(const std::string& text) {
    std::vector<std::size_t> cuts;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        cuts.push_back(start);
        cuts.push_back(start + (end - start) / 2);
        cuts.push_back(end); // between CR and LF when the line ends in both
        start = end + 1;
    }
    cuts.push_back(text.size());
    return cuts;
}

TEST(GrowingOutput, EveryPieceGivesWhatAFreshReadingGives) {
    BondLimits::instance().ApplyBuiltIn();
    // LF CR too: a piece may end between the two.
    for (const std::string_view lineEnd : {"\n", "\r\n", "\n\r"}) {
        SCOPED_TRACE(lineEnd == "\n" ? "LF" : lineEnd == "\r\n" ? "CR LF" : "LF CR");
        std::vector<std::size_t> rulers;
        const std::string text = OptimisationJob(lineEnd, rulers);
        ExpectGrowsLikeFreshReadings(
            text, CutsEverywhere(text), [&](CMolData& model, std::size_t cut) {
                // Exactly the tables whose closing ruler has been printed.
                int closed = 0;
                for (const std::size_t ruler : rulers)
                    closed += ruler + 1 + 26 <= cut ? 1 : 0;
                EXPECT_EQ(model.frameCount, closed);
                if (cut == text.size()) {
                    EXPECT_EQ(model.termination, CMolData::Termination::kNormal);
                    // The last step's charges; the thermochemistry in part, said.
                    EXPECT_EQ(model.results.charges.at("mulliken")[0], -0.600003);
                    EXPECT_EQ(model.results.thermochemistry.value[2], 0.021667);
                    EXPECT_EQ(model.results.problems.size(), 5U);
                    EXPECT_EQ(model.GetFrame(model.frameCount - 1)->modes.size(), 3U);
                }
            });
    }
}

TEST(GrowingOutput, StepValuesAndTheJobsEndArriveAfterTheirGeometry) {
    std::vector<std::size_t> rulers;
    const std::string text = OptimisationJob("\n", rulers, 2);
    TempDir dir;
    const std::size_t firstEnergy = text.find(" SCF Done");
    const std::string path = dir.Write("job.log", text.substr(0, firstEnergy));
    auto model = ReadFollowed<CGauData>(path);
    ASSERT_EQ(model->frameCount, 1);
    EXPECT_TRUE(std::isnan(model->GetFrame(0)->energy));
    EXPECT_EQ(model->termination, CMolData::Termination::kRunning);

    const auto grow = [&](std::size_t to) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text.substr(0, to);
        StdioFile file;
        EXPECT_TRUE(file.Open(path, StdioFile::modeRead));
        return model.reader->ReadAppended(&file);
    };
    // The energy line cut in its number: no energy yet, not a wrong one.
    LogFollower::Growth growth = grow(text.find("A.U. after") - 8);
    EXPECT_TRUE(std::isnan(model->GetFrame(0)->energy));
    EXPECT_FALSE(growth.changed); // no line became whole
    growth = grow(text.find(" Maximum Force") + 1);
    EXPECT_EQ(growth.newFrames, 0);
    EXPECT_TRUE(growth.changed);
    EXPECT_DOUBLE_EQ(model->GetFrame(0)->energy, -76.409);
    EXPECT_FALSE(model->GetFrame(0)->convergence.Any()); // its line is not whole yet

    growth = grow(text.find(" Normal termination") + 10);
    EXPECT_EQ(model->frameCount, 2);
    EXPECT_EQ(growth.newFrames, 1);
    EXPECT_TRUE(model->GetFrame(0)->convergence.present[3]);
    EXPECT_EQ(model->termination, CMolData::Termination::kRunning);
    growth = grow(text.find(" Link1:"));
    EXPECT_EQ(model->termination, CMolData::Termination::kNormal);

    // Nothing added: nothing to do.
    StdioFile same;
    ASSERT_TRUE(same.Open(path, StdioFile::modeRead));
    growth = model.reader->ReadAppended(&same);
    EXPECT_FALSE(growth.readAgain);
    EXPECT_FALSE(growth.changed);
}

TEST(GrowingOutput, AFileThatShrankOrWasReplacedIsReadAgain) {
    std::vector<std::size_t> rulers;
    const std::string text = OptimisationJob("\n", rulers, 3);
    TempDir dir;
    const std::string start = text.substr(0, rulers[1] + 100);
    const std::string path = dir.File("job.log");
    // Reads start, then looks at the file written anew with bytes.
    const auto lookAt = [&](const std::string& bytes) {
        dir.Write("job.log", start);
        auto model = ReadFollowed<CGauData>(path);
        dir.Write("job.log", bytes);
        StdioFile file;
        EXPECT_TRUE(file.Open(path, StdioFile::modeRead));
        return model.reader->ReadAppended(&file).readAgain;
    };
    EXPECT_TRUE(lookAt(text.substr(0, rulers[0] + 100))) << "shrank";
    // A new job of the same name: other first bytes, or the same header and
    // different steps.
    std::string other = text;
    other[10] = 'X';
    EXPECT_TRUE(lookAt(other)) << "other start";
    std::string sameStart = text;
    sameStart[rulers[1] - 5] = '7';
    EXPECT_TRUE(lookAt(sameStart)) << "other steps";
    EXPECT_FALSE(lookAt(text)) << "grown";

    // An input is no output being written.
    const std::string input = dir.Write("water.com", "# hf\n\nwater\n\n0 1\nO 0 0 0\n\n");
    auto read = ReadFollowed<CGauData>(input);
    StdioFile file;
    ASSERT_TRUE(file.Open(input, StdioFile::modeRead));
    EXPECT_TRUE(read.reader->ReadAppended(&file).readAgain);
}

} // namespace
