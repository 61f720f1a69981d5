#include "cli/PathCommand.h"

#include "cli/ArgumentParser.h"
#include "cli/JsonWriter.h"
#include "cli/ModelSource.h"
#include "model/IrcJoin.h"

#include <cstdio>
#include <memory>

namespace {

const char kUsage[] =
    "usage: ravek-cli path FILE [FILE...] [--unit hartree|kJ/mol|kcal/mol] [--no-join]\n";

int UsageError(const std::string& message) {
    std::fprintf(stderr, "ravek-cli path: %s\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

struct Found {
    ReactionPath path;
    std::vector<std::string> files;
};

void WritePath(JsonWriter& json, const Found& found, ReactionPath::Unit unit) {
    const ReactionPath& path = found.path;
    json.BeginObject();
    json.Key("files");
    json.BeginArray();
    for (const std::string& file : found.files)
        json.String(file);
    json.EndArray();
    json.Key("kind");
    json.String(ReactionPath::KindName(path.kind));
    json.Key("coordinateUnit");
    json.String(path.AxisUnit());
    json.Key("energyUnit");
    json.String(ReactionPath::UnitName(unit));
    json.Key("plannedPoints");
    json.Int(path.plannedPoints);
    json.Key("coordinates");
    json.BeginArray();
    for (const ScanCoordinate& c : path.coordinates) {
        json.BeginObject();
        json.Key("name");
        json.String(c.name);
        json.Key("definition");
        json.String(c.definition);
        json.Key("unit");
        json.String(c.Unit());
        json.EndObject();
    }
    json.EndArray();
    json.Key("lowest");
    json.Int(path.Lowest() + 1);
    json.Key("points");
    json.BeginArray();
    for (std::size_t p = 0; p < path.points.size(); ++p) {
        const ReactionPath::Point& point = path.points[p];
        json.BeginObject();
        json.Key("index");
        json.Int(static_cast<long long>(p) + 1);
        json.Key("number");
        json.Int(point.number);
        if (path.kind == ReactionPath::Kind::kIrc) {
            json.Key("path");
            json.Int(point.path);
            json.Key("direction");
            json.String(point.direction > 0   ? "forward"
                        : point.direction < 0 ? "reverse"
                                              : "transition state");
        }
        json.Key("file");
        json.Int(point.file + 1);
        json.Key("geometry");
        if (point.geometry >= 0)
            json.Int(point.geometry + 1);
        else
            json.Null();
        json.Key("coordinate");
        json.Real(point.coordinate);
        json.Key("values");
        json.BeginArray();
        for (const double v : point.values)
            json.Real(v);
        json.EndArray();
        json.Key("energy");
        json.Real(point.energy, 9);
        json.Key("relativeEnergy");
        json.Real(path.Relative(static_cast<int>(p), unit));
        json.Key("converged");
        json.Bool(point.converged);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

} // namespace

int RunPath(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    ReactionPath::Unit unit = ReactionPath::Unit::kKjPerMol;
    bool join = true;
    ArgumentParser parser;
    parser.Plain([] { return true; },
                 [&files](const std::string& value) {
                     files.push_back(value);
                     return std::string();
                 });
    parser.Option("--unit", [&unit](const std::string& value) -> std::string {
        for (const auto u : {ReactionPath::Unit::kHartree, ReactionPath::Unit::kKjPerMol,
                             ReactionPath::Unit::kKcalPerMol}) {
            if (value == ReactionPath::UnitName(u)) {
                unit = u;
                return {};
            }
        }
        return "--unit must be hartree, kJ/mol or kcal/mol, not '" + value + "'";
    });
    parser.Switch("--no-join", [&join] { join = false; });
    std::string error;
    if (!parser.Parse(args, error))
        return UsageError(error);
    if (files.empty())
        return UsageError("no input file named");

    std::vector<std::unique_ptr<CMolData>> models;
    if (ModelSource::ReadEach(files, models) != kExitOk)
        return kExitUsage;
    // Each IRC with the next one of the same transition state, when asked.
    std::vector<Found> found;
    std::vector<bool> used(models.size(), false);
    for (std::size_t i = 0; i < models.size(); ++i) {
        if (used[i] || models[i] == nullptr || models[i]->path.Empty())
            continue;
        used[i] = true;
        Found one{models[i]->path, {files[i]}};
        for (std::size_t j = i + 1; join && j < models.size(); ++j) {
            std::string why;
            ReactionPath joined;
            if (!used[j] && models[j] != nullptr &&
                IrcJoin::Join(models[i]->path, *models[i], models[j]->path, *models[j], joined,
                              why)) {
                used[j] = true;
                one = Found{std::move(joined), {files[i], files[j]}};
                break;
            }
        }
        found.push_back(std::move(one));
    }
    for (std::size_t i = 0; i < models.size(); ++i) {
        if (models[i] == nullptr || models[i]->path.Empty())
            std::fprintf(stderr, "ravek-cli path: %s: no scan or IRC points\n", files[i].c_str());
    }
    if (found.empty())
        return kExitNoMolecule;
    JsonWriter json(stdout);
    json.BeginObject();
    json.Key("paths");
    json.BeginArray();
    for (const Found& f : found)
        WritePath(json, f, unit);
    json.EndArray();
    json.EndObject();
    std::fputc('\n', stdout);
    return json.Flush() ? kExitOk : kExitUsage;
}
