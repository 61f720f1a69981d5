#include "cli/CubeCommand.h"

#include "cli/ArgumentParser.h"
#include "cli/ModelSource.h"
#include "formats/CubeWriter.h"
#include "formats/ReadMolecule.h"
#include "io/StdioFile.h"
#include "io/WriteFileAtomically.h"
#include "model/TextScanner.h"
#include "model/VolumeEvaluator.h"
#include "model/Wavefunction.h"

#include <cstdio>

namespace {

const char kUsage[] = "usage: ravek-cli cube FILE --orbital homo|lumo|N|density|spin [--beta] "
                      "[--spacing S] [--margin M] [--like REF.cube] -o OUT.cube\n";

int UsageError(const std::string& message) {
    std::fprintf(stderr, "ravek-cli cube: %s\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

// The request a --orbital value names, or false.
bool ParseRequest(const std::string& text, const Wavefunction& w, bool beta,
                  VolumeRequest& request) {
    request.beta = beta;
    if (text == "density" || text == "spin") {
        request.quantity = text == "density" ? VolumeRequest::Quantity::kDensity
                                             : VolumeRequest::Quantity::kSpinDensity;
        return true;
    }
    request.quantity = VolumeRequest::Quantity::kOrbital;
    if (text == "homo" || text == "lumo") {
        request.orbital = text == "homo" ? w.Homo(beta) : w.Lumo(beta);
        return request.orbital > 0;
    }
    return TextScanner::ParseInt(text, request.orbital);
}

} // namespace

int RunCube(const std::vector<std::string>& args) {
    ModelSource source;
    std::string out, orbital, like, error;
    bool beta = false;
    double spacing = 0.2, margin = 4.0;
    ArgumentParser parser;
    source.AddTo(parser);
    parser.Switch("--beta", [&beta] { beta = true; });
    const auto text = [](std::string& into) {
        return [&into](const std::string& value) {
            into = value;
            return std::string();
        };
    };
    parser.Option("--orbital", text(orbital));
    parser.Option("--like", text(like));
    parser.Option("-o", text(out));
    for (const auto& [name, into] :
         {std::pair{"--spacing", &spacing}, std::pair{"--margin", &margin}})
        parser.Option(name, [name = std::string(name), into = into](const std::string& value) {
            return TextScanner::ParseReal(value, *into)
                       ? std::string()
                       : name + " needs a number of bohr, not '" + value + "'";
        });
    if (!parser.Parse(args, error))
        return UsageError(error);
    if (!source.Complete(error))
        return UsageError(error);
    if (out.empty())
        return UsageError("no output file named (-o OUT.cube)");
    if (orbital.empty())
        return UsageError("no --orbital named");

    std::unique_ptr<CMolData> model;
    const int code = source.Read(model);
    if (code != kExitOk)
        return code;
    if (model->wavefunction == nullptr) {
        std::fprintf(stderr, "ravek-cli: %s holds no orbitals%s%s\n", source.Path().c_str(),
                     model->wavefunctionProblem.empty() ? "" : ": ",
                     model->wavefunctionProblem.c_str());
        return kExitNoMolecule;
    }
    const Wavefunction& w = *model->wavefunction;
    VolumeRequest request;
    if (!ParseRequest(orbital, w, beta, request))
        return UsageError("--orbital must be homo, lumo, a number, density or spin, not '" +
                          orbital + "'");
    VolumeGrid grid;
    if (!like.empty()) {
        const MoleculeFile reference = ReadMoleculeFile(like, FileKind::kCube, PdbOptions());
        if (reference.model == nullptr || reference.model->volumes.empty()) {
            std::fprintf(stderr, "ravek-cli: %s\n",
                         reference.status == MoleculeFile::Status::kMolecule
                             ? (like + ": no grid").c_str()
                             : reference.Describe(like).c_str());
            return kExitUsage;
        }
        grid = *reference.model->volumes.front();
    } else {
        std::vector<Point3D> centres;
        for (const BasisShell& shell : w.basis.Shells())
            centres.push_back(shell.centre);
        grid = GridAround(centres, margin, spacing, &error);
        if (grid.Count() == 0)
            return UsageError(error);
    }
    if (!EvaluateOnGrid(w, request, grid, nullptr, &error))
        return UsageError(error);
    const auto write = [&](StdioFile& file) {
        return WriteCube(*model, model->firstShownFrame, grid, "ravek-cli cube " + orbital, &file);
    };
    if (!WriteFileAtomically(out, write, error)) {
        std::fprintf(stderr, "ravek-cli: cannot write %s: %s\n", out.c_str(), error.c_str());
        return kExitUsage;
    }
    return kExitOk;
}
