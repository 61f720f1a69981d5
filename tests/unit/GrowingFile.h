#pragma once

#include "formats/CGauData.h"
#include "formats/GaussianLogFollower.h"
#include "io/StdioFile.h"
#include "tests/unit/ReadText.h"
#include "tests/unit/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Everything a reading gives that growth must keep equal to a fresh reading.
inline void ExpectSameModel(CMolData& grown, CMolData& fresh) {
    ASSERT_EQ(grown.frameCount, fresh.frameCount);
    EXPECT_EQ(grown.atomCount, fresh.atomCount);
    EXPECT_EQ(grown.termination, fresh.termination);
    EXPECT_EQ(grown.vibrationState, fresh.vibrationState);
    EXPECT_EQ(grown.skippedLines, fresh.skippedLines);
    const auto same = [](double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; };
    // Atoms without a value (dummies, translation vectors) hold NaN.
    const auto sameSchemes = [&](const std::map<std::string, std::vector<double>>& a,
                                 const std::map<std::string, std::vector<double>>& b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [&](const auto& x, const auto& y) {
                   return x.first == y.first && x.second.size() == y.second.size() &&
                          std::equal(x.second.begin(), x.second.end(), y.second.begin(), same);
               });
    };
    // The scan or IRC points.
    EXPECT_EQ(grown.path.kind, fresh.path.kind);
    ASSERT_EQ(grown.path.points.size(), fresh.path.points.size());
    for (std::size_t p = 0; p < fresh.path.points.size(); ++p) {
        const ReactionPath::Point& a = grown.path.points[p];
        const ReactionPath::Point& b = fresh.path.points[p];
        EXPECT_EQ(a.geometry, b.geometry) << "point " << p;
        EXPECT_EQ(a.number, b.number) << "point " << p;
        EXPECT_EQ(a.direction, b.direction) << "point " << p;
        EXPECT_EQ(a.converged, b.converged) << "point " << p;
        EXPECT_TRUE(same(a.energy, b.energy)) << "point " << p;
        EXPECT_TRUE(same(a.coordinate, b.coordinate)) << "point " << p;
    }
    EXPECT_EQ(grown.results.excitedStates.size(), fresh.results.excitedStates.size());
    EXPECT_TRUE(sameSchemes(grown.results.charges, fresh.results.charges));
    EXPECT_TRUE(sameSchemes(grown.results.spins, fresh.results.spins));
    EXPECT_EQ(grown.results.nmr.size(), fresh.results.nmr.size());
    EXPECT_EQ(grown.results.problems, fresh.results.problems);
    for (int k = 0; k < JobResults::Thermochemistry::kItems; ++k)
        EXPECT_TRUE(same(grown.results.thermochemistry.value[static_cast<std::size_t>(k)],
                         fresh.results.thermochemistry.value[static_cast<std::size_t>(k)]));
    for (int g = 0; g < fresh.frameCount; ++g) {
        SCOPED_TRACE("geometry " + std::to_string(g + 1));
        const CMolFrame& a = *grown.GetFrame(g);
        const CMolFrame& b = *fresh.GetFrame(g);
        ASSERT_EQ(a.atomCount, b.atomCount);
        EXPECT_TRUE(same(a.energy, b.energy)) << a.energy << " vs " << b.energy;
        for (int k = 0; k < StepConvergence::kItems; ++k) {
            EXPECT_EQ(a.convergence.present[k], b.convergence.present[k]);
            EXPECT_TRUE(same(a.convergence.value[k], b.convergence.value[k]));
            EXPECT_EQ(a.convergence.threshold[k], b.convergence.threshold[k]);
            EXPECT_EQ(a.convergence.converged[k], b.convergence.converged[k]);
        }
        for (int i = 0; i < b.atomCount; ++i) {
            const MolAtom& p = a.Atom(i);
            const MolAtom& q = b.Atom(i);
            EXPECT_EQ(p.element, q.element);
            EXPECT_EQ(p.x, q.x);
            EXPECT_EQ(p.y, q.y);
            EXPECT_EQ(p.z, q.z);
            EXPECT_EQ(p.dx, q.dx);
            EXPECT_EQ(p.dy, q.dy);
            EXPECT_EQ(p.dz, q.dz);
            ASSERT_EQ(p.bondCount, q.bondCount) << "atom " << i + 1;
            EXPECT_EQ(std::vector<int>(p.bonded, p.bonded + p.bondCount),
                      std::vector<int>(q.bonded, q.bonded + q.bondCount))
                << "atom " << i + 1;
        }
        EXPECT_EQ(a.centre.x, b.centre.x);
        EXPECT_EQ(a.centre.y, b.centre.y);
        EXPECT_EQ(a.centre.z, b.centre.z);
        ASSERT_EQ(a.modes.size(), b.modes.size());
        for (std::size_t m = 0; m < b.modes.size(); ++m) {
            EXPECT_EQ(a.modes[m].number, b.modes[m].number);
            EXPECT_EQ(a.modes[m].frequency, b.modes[m].frequency);
            ASSERT_EQ(a.modes[m].displacements.size(), b.modes[m].displacements.size());
            // All three components of every atom; the first atom that differs
            // is reported.
            for (std::size_t i = 0; i < b.modes[m].displacements.size(); ++i) {
                const Point3D& u = a.modes[m].displacements[i];
                const Point3D& v = b.modes[m].displacements[i];
                if (u.x == v.x && u.y == v.y && u.z == v.z)
                    continue;
                ADD_FAILURE() << "mode " << m + 1 << ", atom " << i + 1 << ": (" << u.x << ", "
                              << u.y << ", " << u.z << ") grown, (" << v.x << ", " << v.y << ", "
                              << v.z << ") fresh";
                break;
            }
        }
    }
}

// Writes text to a file piece by piece, ending each piece at the next cut,
// and after each piece has the model read from the first piece take in what
// was added; it must equal the model a fresh reading of the file gives.
// check, when given, looks at the grown model after each piece.
template <class Reader = CGauData>
void ExpectGrowsLikeFreshReadings(const std::string& text, const std::vector<std::size_t>& cuts,
                                  const std::function<void(CMolData&, std::size_t cut)>& check = {},
                                  FileFormat::Follower start = GaussianLogFollower::Start) {
    ASSERT_FALSE(cuts.empty());
    TempDir dir;
    const std::string path = dir.Write("job.log", text.substr(0, cuts.front()));
    auto model = ReadFollowed<Reader>(path, start);
    ASSERT_NE(model.model, nullptr);
    std::size_t written = cuts.front();
    for (const std::size_t cut : cuts) {
        if (cut <= written)
            continue;
        SCOPED_TRACE("file cut at byte " + std::to_string(cut));
        {
            std::ofstream out(path, std::ios::binary | std::ios::app);
            out << text.substr(written, cut - written);
        }
        written = cut;
        const int before = model->frameCount;
        StdioFile file;
        ASSERT_TRUE(file.Open(path, StdioFile::modeRead));
        const LogFollower::Growth growth = model.reader->ReadAppended(&file);
        ASSERT_FALSE(growth.readAgain);
        EXPECT_TRUE(growth.changed || growth.newFrames == 0);
        EXPECT_EQ(growth.newFrames, model->frameCount - before);
        auto fresh = ReadFile<Reader>(path);
        ASSERT_NE(fresh, nullptr);
        ExpectSameModel(*model, *fresh);
        if (check)
            check(*model, cut);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}
