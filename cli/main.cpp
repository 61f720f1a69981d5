// ravek-cli: the structure readers and writers of the viewer, for scripts.

#include "cli/ConvertCommand.h"
#include "cli/CubeCommand.h"
#include "cli/EnsembleCommand.h"
#include "cli/InfoCommand.h"
#include "cli/ModelSource.h"
#include "cli/PathCommand.h"
#include "cli/SelectCommand.h"
#include "cli/WatchCommand.h"
#include "formats/FileFormat.h"
#include "model/ElementData.h"

#include <cstdio>
#include <new>
#include <string>
#include <vector>

namespace {

void PrintUsage(std::FILE* out) {
    const std::string source = ModelSource::Usage();
    std::fprintf(
        out,
        "usage: ravek-cli info FILE %s [--frames all|last|none] [--modes all|none]\n"
        "                [--secondary]\n"
        "       ravek-cli convert IN OUT --to %s %s [--frame N]\n"
        "                [--selection EXPR] [--keywords LINE]\n"
        "       ravek-cli watch FILE %s [--interval MS] [--modes all|none]\n"
        "       ravek-cli cube FILE --orbital homo|lumo|N|density|spin [--beta]\n"
        "                [--spacing S] [--margin M] [--like REF.cube] -o OUT.cube\n"
        "       ravek-cli select FILE EXPR %s [--frame N] [--secondary assigned|file]\n"
        "       ravek-cli path FILE [FILE...] [--unit hartree|kJ/mol|kcal/mol] [--no-join]\n"
        "       ravek-cli ensemble FILE... [--temperature T] [--energy free|enthalpy|electronic]\n"
        "                [--reference N]\n"
        "info prints the molecule read from FILE as one JSON object; convert writes\n"
        "the molecule read from IN to OUT as a Gaussian input, a PDB file (full or\n"
        "short layout), Ramachandran plot data, an XYZ file (every geometry, or\n"
        "the one --frame names, counted from 1) or an ORCA input (the keyword\n"
        "line of --keywords, by default \"! B3LYP D3BJ def2-SVP Opt\"); watch\n"
        "follows a Gaussian or ORCA output while its job writes it, one JSON line\n"
        "per geometry once its step is complete, then a line with the job's\n"
        "termination; cube evaluates an orbital or density of a formatted\n"
        "checkpoint file on a grid (bohr) into a cube file;\n"
        "select prints the atoms a selection holds (docs/selections.md);\n"
        "path prints the points of a scan or an IRC in reaction order, two IRC\n"
        "files of one transition state joined; ensemble prints the energies of\n"
        "several jobs relative to one and their Boltzmann weights at T kelvin.\n"
        "ravek-cli --help prints this text.\n"
        "Exit codes: 0 a molecule was read, 1 the file gives no molecule, 2 usage "
        "error or unreadable file.\n",
        source.c_str(), FormatNames(true, true).c_str(), source.c_str(), source.c_str(),
        source.c_str());
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        PrintUsage(stdout);
        return kExitOk;
    }
    LoadElementData();
    // The readers say when a model does not fit into memory; whatever else
    // runs out of it ends the command with a word, not an abort.
    try {
        if (command == "info")
            return RunInfo(args);
        if (command == "convert")
            return RunConvert(args);
        if (command == "watch")
            return RunWatch(args);
        if (command == "cube")
            return RunCube(args);
        if (command == "select")
            return RunSelect(args);
        if (command == "path")
            return RunPath(args);
        if (command == "ensemble")
            return RunEnsemble(args);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "ravek-cli: too large for the memory available\n");
        return kExitUsage;
    }
    std::fprintf(stderr, "ravek-cli: unknown command '%s'\n", command.c_str());
    PrintUsage(stderr);
    return kExitUsage;
}
