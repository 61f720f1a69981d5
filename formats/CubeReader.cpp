#include "formats/CubeReader.h"

#include "formats/BohrFrame.h"
#include "io/StdioFile.h"
#include "model/CMolData.h"
#include "model/ReadLine.h"
#include "model/TextScanner.h"
#include "model/VolumeEvaluator.h"
#include "model/VolumeGrid.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kLineSize = 4096;
// Values are kept as floats; one beyond their range keeps the largest.
constexpr double kFloatMax = std::numeric_limits<float>::max();
// More atoms than any cube file of a molecule holds: a count beyond it is
// damage, not a molecule.
constexpr long long kMaxAtoms = 10000000;

class CubeParser {
public:
    CubeParser(StdioFile* in, CMolData& model) : in_(in), model_(model) {}

    // Returns the problem, empty when the file was read whole.
    std::string Run() {
        char line[kLineSize];
        std::string comments[2];
        for (std::string& comment : comments) {
            if (ReadLine(line, kLineSize, in_) == nullptr)
                return "the file ends before the grid is described";
            comment = std::string(TextScanner::Trim(line));
        }
        long long atoms = 0;
        Point3D origin;
        if (!Next(line) || !TextScanner(line).Int(atoms) || !ReadPoint(line, 1, origin))
            return "the third line does not hold the atom count and the origin";
        if (atoms > kMaxAtoms || atoms < -kMaxAtoms)
            return "the atom count " + std::to_string(atoms) + " is beyond reason";
        const bool orbitalList = atoms < 0;
        atoms = std::llabs(atoms);
        VolumeGrid grid;
        grid.origin = origin;
        bool angstrom = false;
        double total = 1.0;
        for (int axis = 0; axis < 3; ++axis) {
            long long count = 0;
            Point3D step;
            if (!Next(line) || !TextScanner(line).Int(count) || !ReadPoint(line, 1, step))
                return "axis line " + std::to_string(axis + 1) +
                       " does not hold a count and a step";
            if (count == 0 || count > (1LL << 30) || count < -(1LL << 30))
                return "axis " + std::to_string(axis + 1) + " has " +
                       (count == 0 ? std::string("no") : std::to_string(count)) + " points";
            // A negative count on any axis puts the header in ångström.
            angstrom = angstrom || count < 0;
            count = std::llabs(count);
            total *= static_cast<double>(count);
            grid.points[static_cast<std::size_t>(axis)] = static_cast<int>(count);
            grid.axes[static_cast<std::size_t>(axis)] = step;
        }
        if (total > static_cast<double>(kMaxGridPoints))
            return "the grid announces " + PointCountText(total) + " points, more than the " +
                   std::to_string(kMaxGridPoints) + " read";
        if (angstrom) {
            grid.origin = Scaled(grid.origin, 1.0 / kBohrInAngstrom);
            for (Point3D& step : grid.axes)
                step = Scaled(step, 1.0 / kBohrInAngstrom);
        }
        if (grid.CellVolume() == 0.0)
            return "the grid's axes span no volume";
        std::vector<int> elements;
        std::vector<Point3D> positions;
        for (long long a = 0; a < atoms; ++a) {
            long long element = 0;
            double charge = 0.0;
            Point3D at;
            if (!Next(line))
                return "the file ends after " + std::to_string(a) + " of " + std::to_string(atoms) +
                       " atoms";
            TextScanner scan(line);
            if (!scan.Int(element) || !scan.Real(charge) || !scan.Real(at.x) || !scan.Real(at.y) ||
                !scan.Real(at.z))
                return "atom line " + std::to_string(a + 1) + " does not hold five numbers";
            elements.push_back(static_cast<int>(std::clamp<long long>(element, 0, 1000)));
            positions.push_back(angstrom ? Scaled(at, 1.0 / kBohrInAngstrom) : at);
        }
        // Each point holds one value, or one per orbital listed.
        std::vector<long long> orbitals;
        if (orbitalList) {
            if (!Next(line))
                return "the orbital list is missing";
            TextScanner scan(line);
            long long count = 0;
            if (!scan.Int(count) || count <= 0 || count > 10000)
                return "the orbital list does not start with its length";
            for (long long o = 0; o < count; ++o) {
                long long number = 0;
                while (!scan.Int(number)) {
                    if (!scan.AtEnd() || !Next(line))
                        return "the orbital list holds fewer numbers than it says";
                    scan = TextScanner(line);
                }
                orbitals.push_back(number);
            }
        }
        const std::size_t sets = orbitals.empty() ? 1 : orbitals.size();
        if (total * static_cast<double>(sets) > static_cast<double>(kMaxGridPoints))
            return "the grid announces more values than the " + std::to_string(kMaxGridPoints) +
                   " read";
        // The values are stored as read, so nothing beyond what the file
        // holds is ever allocated.
        const std::size_t expected = grid.Count() * sets;
        std::vector<float> values;
        while (values.size() <= expected && ReadLine(line, kLineSize, in_) != nullptr) {
            TextScanner scan(line);
            double value = 0.0;
            while (scan.Real(value))
                values.push_back(static_cast<float>(std::clamp(value, -kFloatMax, kFloatMax)));
            if (!scan.AtEnd())
                return "value " + std::to_string(values.size() + 1) + " is not a number";
        }
        if (values.size() != expected)
            return "the grid announces " + std::to_string(expected) + " values, the file holds " +
                   (values.size() > expected ? "more" : std::to_string(values.size()));
        for (std::size_t set = 0; set < sets; ++set) {
            auto volume = std::make_shared<VolumeGrid>(grid);
            volume->name = orbitals.empty() ? (comments[1].empty() ? comments[0] : comments[1])
                                            : "MO " + std::to_string(orbitals[set]);
            if (sets == 1) {
                volume->values = std::move(values);
            } else {
                volume->values.resize(grid.Count());
                for (std::size_t p = 0; p < grid.Count(); ++p)
                    volume->values[p] = values[p * sets + set];
            }
            model_.volumes.push_back(std::move(volume));
        }
        model_.AppendFrame(FrameFromBohr(elements, positions));
        model_.framePositions.push_back(0);
        model_.frameCount = 1;
        return {};
    }

private:
    bool Next(char* line) { return ReadLine(line, kLineSize, in_) != nullptr; }

    // Three numbers after skip integers.
    static bool ReadPoint(const char* line, int skip, Point3D& p) {
        TextScanner scan(line);
        long long ignored = 0;
        for (int k = 0; k < skip; ++k) {
            if (!scan.Int(ignored))
                return false;
        }
        return scan.Real(p.x) && scan.Real(p.y) && scan.Real(p.z);
    }

    StdioFile* in_;
    CMolData& model_;
};

void ReadInto(StdioFile* in, CMolData& model) {
    model = CMolData();
    model.sourceKind = CMolData::SourceKind::kCube;
    model.vibrationState = CMolData::kVibrationNone;
    model.inputGeometryType = CMolData::kGeometryCartesian;
    const std::string problem = CubeParser(in, model).Run();
    if (!problem.empty()) {
        model = CMolData();
        model.sourceKind = CMolData::SourceKind::kCube;
        model.formatProblem = problem;
        return;
    }
    model.DropEmptyFrames();
    model.PerceiveBonds(0);
    model.ComputeCentres();
}

} // namespace

std::unique_ptr<CMolData> ReadCube(StdioFile* in) {
    auto model = std::make_unique<CMolData>();
    ReadInto(in, *model);
    return model;
}
