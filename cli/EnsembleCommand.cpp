#include "cli/EnsembleCommand.h"

#include "cli/ArgumentParser.h"
#include "cli/JsonWriter.h"
#include "cli/ModelSource.h"
#include "model/JobEnsemble.h"
#include "model/ReactionPath.h"
#include "model/TextScanner.h"

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

const char kUsage[] = "usage: ravek-cli ensemble FILE... [--temperature T] "
                      "[--energy free|enthalpy|electronic] [--reference N]\n";

int UsageError(const std::string& message) {
    std::fprintf(stderr, "ravek-cli ensemble: %s\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

} // namespace

int RunEnsemble(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    double kelvin = 298.15;
    int reference = 0; // 0: the lowest
    auto kind = JobEnsemble::Energy::kFreeEnergy;
    ArgumentParser parser;
    parser.Plain([] { return true; },
                 [&files](const std::string& value) {
                     files.push_back(value);
                     return std::string();
                 });
    parser.Option("--temperature", [&kelvin](const std::string& value) -> std::string {
        if (!TextScanner::ParseReal(value, kelvin) || !(kelvin > 0.0))
            return "--temperature needs a temperature in kelvin above 0, not '" + value + "'";
        return {};
    });
    parser.Option("--energy", [&kind](const std::string& value) -> std::string {
        for (const auto k : {JobEnsemble::Energy::kFreeEnergy, JobEnsemble::Energy::kEnthalpy,
                             JobEnsemble::Energy::kElectronic}) {
            if (value == JobEnsemble::EnergyName(k)) {
                kind = k;
                return {};
            }
        }
        return "--energy must be free, enthalpy or electronic, not '" + value + "'";
    });
    parser.Option("--reference", [&reference](const std::string& value) -> std::string {
        if (!TextScanner::ParseInt(value, reference) || reference < 1)
            return "--reference needs a job number from 1, not '" + value + "'";
        return {};
    });
    std::string error;
    if (!parser.Parse(args, error))
        return UsageError(error);
    if (files.empty())
        return UsageError("no input file named");
    if (reference > static_cast<int>(files.size()))
        return UsageError("--reference " + std::to_string(reference) + " names no file");

    std::vector<std::unique_ptr<CMolData>> models;
    if (ModelSource::ReadEach(files, models) != kExitOk)
        return kExitUsage;
    JobEnsemble ensemble;
    for (std::size_t k = 0; k < files.size(); ++k)
        ensemble.Add(files[k], models[k] != nullptr ? *models[k] : CMolData());
    const std::vector<double> weights = ensemble.Weights(kind, kelvin);
    int zero = reference - 1;
    if (zero < 0) {
        for (std::size_t k = 0; k < ensemble.Members().size(); ++k) {
            const double e = ensemble.Members()[k].Of(kind);
            if (std::isfinite(e) &&
                (zero < 0 || e < ensemble.Members()[static_cast<std::size_t>(zero)].Of(kind)))
                zero = static_cast<int>(k);
        }
    }
    if (zero < 0) {
        std::fprintf(stderr, "ravek-cli ensemble: no job has a %s energy\n",
                     JobEnsemble::EnergyName(kind));
        return kExitNoMolecule;
    }
    const std::vector<double> relative = ensemble.Relative(kind, zero);
    JsonWriter json(stdout);
    json.BeginObject();
    json.Key("temperature");
    json.Real(kelvin, 2);
    json.Key("energy");
    json.String(JobEnsemble::EnergyName(kind));
    json.Key("reference");
    json.Int(zero + 1);
    json.Key("sameLevelOfTheory");
    json.Bool(ensemble.SameLevelOfTheory());
    json.Key("thermochemistryAtTemperature");
    json.Bool(ensemble.ThermochemistryAt(kelvin));
    json.Key("members");
    json.BeginArray();
    for (std::size_t k = 0; k < ensemble.Members().size(); ++k) {
        const JobEnsemble::Member& m = ensemble.Members()[k];
        if (!std::isfinite(m.Of(kind)))
            std::fprintf(stderr, "ravek-cli ensemble: %s: no %s energy\n", m.name.c_str(),
                         JobEnsemble::EnergyName(kind));
        json.BeginObject();
        json.Key("file");
        json.String(m.name);
        json.Key("levelOfTheory");
        json.String(m.levelOfTheory);
        json.Key("electronic");
        json.Real(m.electronic, 9);
        json.Key("enthalpy");
        json.Real(m.enthalpy, 6);
        json.Key("freeEnergy");
        json.Real(m.freeEnergy, 6);
        json.Key("temperatureOfFile");
        json.Real(m.temperatureOfFile, 3);
        json.Key("relativeKjPerMol");
        json.Real(ReactionPath::InUnit(relative[k], ReactionPath::Unit::kKjPerMol));
        json.Key("relativeKcalPerMol");
        json.Real(ReactionPath::InUnit(relative[k], ReactionPath::Unit::kKcalPerMol));
        json.Key("weight");
        if (std::isfinite(m.Of(kind)))
            json.Real(weights[k], 9);
        else
            json.Null();
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    std::fputc('\n', stdout);
    return json.Flush() ? kExitOk : kExitUsage;
}
