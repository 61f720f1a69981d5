#include "cli/InfoCommand.h"

#include "cli/ArgumentParser.h"
#include "cli/JsonWriter.h"
#include "cli/ModelSource.h"
#include "model/BackboneAngles.h"
#include "model/CGraphAlgorithm.h"
#include "model/ElementTable.h"
#include "model/VolumeGrid.h"
#include "model/Wavefunction.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

enum class FrameChoice { kAll, kLast, kNone };

// A residue as the structure file names it: chain, the author's number and
// insertion code (null number and empty texts for none).
void WriteResidueId(JsonWriter& json, const ResidueId* id) {
    json.Key("chain");
    json.String(id != nullptr ? id->chain : std::string());
    json.Key("residueNumber");
    if (id != nullptr)
        json.Int(id->number);
    else
        json.Null();
    json.Key("insertionCode");
    json.String(id != nullptr ? id->insertion : std::string());
}

void WriteAtom(JsonWriter& json, CMolData& model, CMolFrame& frame, int g, int a) {
    const MolAtom& atom = frame.Atom(a);
    json.BeginObject();
    json.Key("element");
    json.Int(atom.element);
    json.Key("symbol");
    json.String(ElementTable::Symbol(atom.element));
    json.Key("label");
    json.String(atom.label);
    const char* names[] = {"x", "y", "z", "dx", "dy", "dz"};
    const double values[] = {atom.x, atom.y, atom.z, atom.dx, atom.dy, atom.dz};
    for (int k = 0; k < 6; ++k) {
        json.Key(names[k]);
        json.Real(values[k]);
    }
    json.Key("residue");
    json.String(model.GetResidueName(g, a));
    json.Key("residueIndex");
    json.Int(atom.residueIndex);
    json.Key("serial");
    json.Int(frame.SerialOfAtom(a));
    // What a structure file says of the atom and its residue: the chain and
    // the author's residue number and insertion code, as the file writes
    // them.
    if (model.sourceKind == CMolData::SourceKind::kPdb) {
        const std::size_t r = static_cast<std::size_t>(atom.residueIndex);
        const ResidueId* id = r < frame.residueIds.size() ? &frame.residueIds[r] : nullptr;
        WriteResidueId(json, id);
        json.Key("bFactor");
        json.Real(atom.bFactor);
        json.Key("occupancy");
        json.Real(atom.occupancy);
        json.Key("hetero");
        json.Bool(atom.hetero);
    }
    json.Key("bonded");
    json.BeginArray();
    for (int k = 0; k < atom.bondCount && k < MolAtom::kMaxBonds; ++k)
        json.Int(atom.bonded[k]);
    json.EndArray();
    json.EndObject();
}

// A mode's values as the file prints them; null for one it does not print.
void WriteMode(JsonWriter& json, const NormalMode& mode) {
    json.BeginObject();
    json.Key("number");
    json.Int(mode.number);
    json.Key("symmetry");
    json.String(mode.symmetry);
    const std::pair<const char*, double> values[] = {
        {"frequency", mode.frequency},         {"reducedMass", mode.reducedMass},
        {"forceConstant", mode.forceConstant}, {"irIntensity", mode.irIntensity},
        {"ramanActivity", mode.ramanActivity},
    };
    for (const auto& [name, value] : values) {
        json.Key(name);
        json.Real(value, 0);
    }
    json.Key("displacements");
    json.BeginArray();
    for (const Point3D& d : mode.displacements) {
        json.BeginArray();
        json.Real(d.x, 0);
        json.Real(d.y, 0);
        json.Real(d.z, 0);
        json.EndArray();
    }
    json.EndArray();
    json.EndObject();
}

void WritePoint(JsonWriter& json, const Point3D& p) {
    json.BeginArray();
    json.Real(p.x, 0);
    json.Real(p.y, 0);
    json.Real(p.z, 0);
    json.EndArray();
}

// Scheme name → one value per atom.
void WriteSchemes(JsonWriter& json, const char* key,
                  const std::map<std::string, std::vector<double>>& schemes) {
    if (schemes.empty())
        return;
    json.Key(key);
    json.BeginObject();
    for (const auto& [scheme, values] : schemes) {
        json.Key(scheme);
        json.BeginArray();
        for (const double q : values)
            json.Real(q, 0);
        json.EndArray();
    }
    json.EndObject();
}

void WriteExcitedState(JsonWriter& json, const JobResults::ExcitedState& state) {
    json.BeginObject();
    json.Key("number");
    json.Int(state.number);
    json.Key("energyEv");
    json.Real(state.energyEv, 0);
    json.Key("wavelengthNm");
    json.Real(state.wavelengthNm, 0);
    json.Key("oscillatorStrength");
    json.Real(state.oscillatorStrength, 0);
    json.Key("rotatoryStrength");
    json.Real(state.rotatoryStrength, 0);
    json.Key("multiplicity");
    if (state.multiplicity > 0)
        json.Int(state.multiplicity);
    else
        json.Null();
    json.Key("symmetry");
    json.String(state.symmetry);
    json.Key("transitions");
    json.BeginArray();
    for (const JobResults::Transition& t : state.transitions) {
        json.BeginObject();
        json.Key("from");
        json.Int(t.from);
        json.Key("to");
        json.Int(t.to);
        if (t.spin != ' ') {
            json.Key("spin");
            json.String(t.spin == 'A' ? "alpha" : "beta");
        }
        if (t.deexcitation) {
            json.Key("deexcitation");
            json.Bool(true);
        }
        json.Key("coefficient");
        json.Real(t.coefficient, 0);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

// The excited states, thermochemistry, shieldings, charges and spins of a
// job, and what of them was printed only in part.
void WriteResults(JsonWriter& json, const CMolData& model) {
    const JobResults& results = model.results;
    const CMolFrame* last = model.frameCount > 0 ? model.GetFrame(model.frameCount - 1) : nullptr;
    if (!results.excitedStates.empty()) {
        json.Key("excitedStates");
        json.BeginArray();
        for (const JobResults::ExcitedState& state : results.excitedStates)
            WriteExcitedState(json, state);
        json.EndArray();
    }
    if (results.thermochemistry.Any()) {
        json.Key("thermochemistry");
        json.BeginObject();
        for (int k = 0; k < JobResults::Thermochemistry::kItems; ++k) {
            json.Key(JobResults::Thermochemistry::kNames[k]);
            json.Real(results.thermochemistry.value[static_cast<std::size_t>(k)], 0);
        }
        json.EndObject();
    }
    if (!results.nmr.empty()) {
        json.Key("nmr");
        json.BeginArray();
        for (std::size_t k = 0; k < results.nmr.size(); ++k) {
            const JobResults::Shielding& shielding = results.nmr[k];
            json.BeginObject();
            // The atom (1-based, as the output numbers it) of the last
            // geometry it belongs to.
            json.Key("atom");
            json.Int(static_cast<long long>(k) + 1);
            if (last != nullptr && static_cast<int>(k) < last->atomCount) {
                json.Key("symbol");
                json.String(ElementTable::ChemistsSymbol(last->Atom(static_cast<int>(k)).element));
            }
            json.Key("isotropic");
            json.Real(shielding.isotropic, 0);
            json.Key("anisotropy");
            json.Real(shielding.anisotropy, 0);
            json.EndObject();
        }
        json.EndArray();
    }
    WriteSchemes(json, "charges", results.charges);
    WriteSchemes(json, "spins", results.spins);
    if (results.multiplicity > 0) {
        json.Key("charge");
        json.Int(results.charge);
        json.Key("multiplicity");
        json.Int(results.multiplicity);
    }
    if (!results.LevelOfTheory().empty()) {
        json.Key("levelOfTheory");
        json.String(results.LevelOfTheory());
    }
    if (!results.problems.empty()) {
        json.Key("resultProblems");
        json.BeginArray();
        for (const JobResults::Problem& problem : results.problems)
            json.String(problem.Text());
        json.EndArray();
    }
}

// The grids (bohr) and the orbitals (hartree) a file holds.
void WriteVolumesAndOrbitals(JsonWriter& json, const CMolData& model) {
    if (!model.volumes.empty()) {
        json.Key("volumes");
        json.BeginArray();
        for (const auto& volume : model.volumes) {
            json.BeginObject();
            json.Key("name");
            json.String(volume->name);
            json.Key("points");
            json.BeginArray();
            for (int n : volume->points)
                json.Int(n);
            json.EndArray();
            json.Key("origin");
            WritePoint(json, volume->origin);
            json.Key("axes");
            json.BeginArray();
            for (const Point3D& axis : volume->axes)
                WritePoint(json, axis);
            json.EndArray();
            json.EndObject();
        }
        json.EndArray();
    }
    if (!model.wavefunctionProblem.empty()) {
        json.Key("orbitalProblem");
        json.String(model.wavefunctionProblem);
    }
    if (!model.modesProblem.empty()) {
        json.Key("modesProblem");
        json.String(model.modesProblem);
    }
    const Wavefunction* w = model.wavefunction.get();
    if (w == nullptr)
        return;
    json.Key("orbitals");
    json.BeginArray();
    for (int spin = 0; spin < (w->Unrestricted() ? 2 : 1); ++spin) {
        const OrbitalSet& set = w->Orbitals(spin == 1);
        for (int o = 0; o < set.Count(); ++o) {
            json.BeginObject();
            json.Key("number");
            json.Int(o + 1);
            json.Key("spin");
            json.String(!w->Unrestricted() ? "both" : spin == 0 ? "alpha" : "beta");
            json.Key("energy");
            json.Real(set.energies[static_cast<std::size_t>(o)], 0);
            json.Key("occupation");
            json.Real(w->Occupation(spin == 1, o), 0);
            json.EndObject();
        }
    }
    json.EndArray();
    const std::pair<const char*, int> numbers[] = {
        {"homo", w->Homo(false)},
        {"lumo", w->Lumo(false)},
        {"basisFunctions", w->basis.FunctionCount()},
        {"charge", w->charge},
        {"multiplicity", w->multiplicity},
    };
    for (const auto& [name, value] : numbers) {
        json.Key(name);
        json.Int(value);
    }
    if (w->Unrestricted()) {
        json.Key("betaHomo");
        json.Int(w->Homo(true));
        json.Key("betaLumo");
        json.Int(w->Lumo(true));
    }
    json.Key("totalEnergy");
    json.Real(w->totalEnergy, 0);
}

void WriteModel(JsonWriter& json, CMolData& model, FrameChoice frames, const FrameParts& parts) {
    json.BeginObject();
    const std::pair<const char*, int> header[] = {
        {"sourceKind", static_cast<int>(model.sourceKind)},
        {"gaussianFileType", static_cast<int>(model.gaussianFileType)},
        {"gaussianVersion", model.gaussianVersion},
        {"vibrationState", model.vibrationState},
        {"inputGeometryType", model.inputGeometryType},
        {"frameCount", model.frameCount},
        {"atomCount", model.atomCount},
        {"currentFrame", model.firstShownFrame},
        {"skippedLines", model.skippedLines},
    };
    for (const auto& [name, value] : header) {
        json.Key(name);
        json.Int(value);
    }
    // The kinds by name beside their numbers; null for a number of no name.
    const auto named = [&json](const char* key, int value,
                               std::initializer_list<std::pair<int, const char*>> names) {
        json.Key(key);
        for (const auto& [number, name] : names) {
            if (number == value) {
                json.String(name);
                return;
            }
        }
        json.Null();
    };
    using Source = CMolData::SourceKind;
    using FileType = CMolData::GaussianFileType;
    named("sourceKindName", static_cast<int>(model.sourceKind),
          {{static_cast<int>(Source::kNone), "none"},
           {static_cast<int>(Source::kGaussian), "gaussian"},
           {static_cast<int>(Source::kPdb), "pdb"},
           {static_cast<int>(Source::kXyz), "xyz"},
           {static_cast<int>(Source::kCube), "cube"},
           {static_cast<int>(Source::kFchk), "fchk"},
           {static_cast<int>(Source::kMolden), "molden"},
           {static_cast<int>(Source::kOrca), "orca"}});
    named("gaussianFileTypeName", static_cast<int>(model.gaussianFileType),
          {{static_cast<int>(FileType::kNone), "none"},
           {static_cast<int>(FileType::kPdb), "pdb"},
           {static_cast<int>(FileType::kInput), "input"},
           {static_cast<int>(FileType::kOutput), "output"}});
    named("inputGeometryTypeName", model.inputGeometryType,
          {{CMolData::kGeometryZMatrix, "zmatrix"}, {CMolData::kGeometryCartesian, "cartesian"}});
    named("vibrationStateName", model.vibrationState,
          {{CMolData::kVibrationPresent, "present"}, {CMolData::kVibrationNone, "none"}});
    if (model.termination != CMolData::Termination::kNotAnOutput) {
        json.Key("termination");
        json.String(TerminationName(model));
    }
    WriteVolumesAndOrbitals(json, model);
    WriteResults(json, model);
    if (model.sourceKind == CMolData::SourceKind::kPdb && model.frameCount > 0) {
        // The backbone analysis of geometry 0: phi and psi per analysed
        // residue, and the N, CA, C atoms of the backbone trace.
        ComputeBackboneAngles(model, 0);
        json.Key("phi");
        json.BeginArray();
        // An undefined dihedral (kept as 200 in the model and the plot data
        // file) is null here.
        const auto angle = [&json](double value) {
            if (value == CGraphAlgorithm::kUndefinedDihedral)
                json.Null();
            else
                json.Real(value);
        };
        for (const auto& entry : model.GetPhiAngles(0))
            angle(entry.second);
        json.EndArray();
        json.Key("psi");
        json.BeginArray();
        for (const auto& entry : model.GetPsiAngles(0))
            angle(entry.second);
        json.EndArray();
        json.Key("backbone");
        json.BeginArray();
        for (const auto& entry : model.GetBackboneAtoms(0))
            json.Int(entry.second);
        json.EndArray();
    }
    json.Key("frames");
    json.BeginArray();
    if (frames == FrameChoice::kAll) {
        for (int g = 0; g < model.frameCount; ++g)
            WriteFrame(json, model, g, parts);
    } else if (frames == FrameChoice::kLast) {
        WriteFrame(json, model, model.frameCount - 1, parts);
    }
    json.EndArray();
    json.EndObject();
}

// The residues' secondary structure: one object per residue analysed, with
// its one-letter code ("-" for none).
void WriteSecondaryStructure(JsonWriter& json, const CMolFrame& frame) {
    // The codes the model got when it was read.
    json.Key("secondaryStructure");
    json.BeginArray();
    for (std::size_t r = 0; r < frame.assignedSecondary.size(); ++r) {
        const char code = frame.assignedSecondary[r];
        if (code == 0)
            continue;
        const ResidueId id = r < frame.residueIds.size() ? frame.residueIds[r] : ResidueId();
        json.BeginObject();
        WriteResidueId(json, &id);
        json.Key("residueName");
        json.String(id.name);
        json.Key("code");
        json.String(std::string(1, code == ' ' ? '-' : code));
        json.EndObject();
    }
    json.EndArray();
}

int UsageError(const std::string& message) {
    std::fprintf(stderr,
                 "ravek-cli info: %s\nusage: ravek-cli info FILE %s [--frames all|last|none] "
                 "[--modes all|none] [--secondary]\n",
                 message.c_str(), ModelSource::Usage().c_str());
    return kExitUsage;
}

} // namespace

void WriteFrame(JsonWriter& json, CMolData& model, int g, const FrameParts& parts) {
    CMolFrame& frame = *model.GetFrame(g);
    json.BeginObject();
    json.Key("index");
    json.Int(g);
    json.Key("centre");
    json.BeginArray();
    json.Real(frame.centre.x);
    json.Real(frame.centre.y);
    json.Real(frame.centre.z);
    json.EndArray();
    json.Key("residueCount");
    json.Int(frame.residueCount);
    json.Key("residueLabels");
    json.BeginObject();
    for (const auto& [residue, label] : frame.residueLabels) {
        json.Key(std::to_string(residue));
        json.String(label);
    }
    json.EndObject();
    json.Key("atoms");
    json.BeginArray();
    for (int a = 0; a < frame.atomCount; ++a)
        WriteAtom(json, model, frame, g, a);
    json.EndArray();
    // A trajectory's steps (an XYZ file) may name their energies too.
    const bool output = model.termination != CMolData::Termination::kNotAnOutput;
    if (output || std::isfinite(frame.energy)) {
        json.Key("energy");
        json.Real(frame.energy, 0);
    }
    if (output) {
        json.Key("convergence");
        if (!frame.convergence.Any()) {
            json.Null();
        } else {
            json.BeginObject();
            for (int k = 0; k < StepConvergence::kItems; ++k) {
                json.Key(StepConvergence::kNames[k]);
                if (!frame.convergence.present[k]) {
                    json.Null();
                    continue;
                }
                json.BeginObject();
                json.Key("value");
                json.Real(frame.convergence.value[k], 0);
                json.Key("threshold");
                json.Real(frame.convergence.threshold[k], 0);
                json.Key("converged");
                json.Bool(frame.convergence.converged[k]);
                json.EndObject();
            }
            json.EndObject();
        }
    }
    if (parts.secondary)
        WriteSecondaryStructure(json, frame);
    if (parts.modes && !frame.modes.empty()) {
        json.Key("modes");
        json.BeginArray();
        for (const NormalMode& mode : frame.modes)
            WriteMode(json, mode);
        json.EndArray();
    }
    json.EndObject();
}

const char* TerminationName(const CMolData& model) {
    return model.termination == CMolData::Termination::kNormal  ? "normal"
           : model.termination == CMolData::Termination::kError ? "error"
                                                                : "running";
}

void AddModesOption(ArgumentParser& parser, bool& modes) {
    parser.Option("--modes", [&modes](const std::string& value) -> std::string {
        if (value != "all" && value != "none")
            return "--modes must be all or none, not '" + value + "'";
        modes = value == "all";
        return {};
    });
}

int RunInfo(const std::vector<std::string>& args) {
    ModelSource source;
    FrameChoice frames = FrameChoice::kAll;
    FrameParts parts;
    std::string error;
    ArgumentParser parser;
    source.AddTo(parser);
    parser.Option("--frames", [&frames](const std::string& value) -> std::string {
        if (value == "all")
            frames = FrameChoice::kAll;
        else if (value == "last")
            frames = FrameChoice::kLast;
        else if (value == "none")
            frames = FrameChoice::kNone;
        else
            return "--frames must be all, last or none, not '" + value + "'";
        return {};
    });
    parser.Switch("--secondary", [&parts] { parts.secondary = true; });
    AddModesOption(parser, parts.modes);
    if (!parser.Parse(args, error))
        return UsageError(error);
    if (!source.Complete(error))
        return UsageError(error);

    std::unique_ptr<CMolData> model;
    const int code = source.Read(model);
    if (code != kExitOk)
        return code;
    JsonWriter json(stdout);
    WriteModel(json, *model, frames, parts);
    if (!json.Flush() || std::fputc('\n', stdout) == EOF || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "ravek-cli: cannot write the output\n");
        return kExitUsage;
    }
    return kExitOk;
}
