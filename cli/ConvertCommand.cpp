#include "cli/ConvertCommand.h"

#include "cli/ModelSource.h"
#include "formats/GaussianInputWriter.h"
#include "formats/PdbWriter.h"
#include "formats/RamachandranWriter.h"
#include "io/StdioFile.h"
#include "io/WriteFileAtomically.h"
#include "model/TextScanner.h"

#include <cstdio>

namespace {

enum class Target { kNone, kCom, kPdb, kPdbShort, kRpd };

Target TargetOf(const std::string& name) {
    if (name == "com")
        return Target::kCom;
    if (name == "pdb")
        return Target::kPdb;
    if (name == "pdb-short")
        return Target::kPdbShort;
    if (name == "rpd")
        return Target::kRpd;
    return Target::kNone;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr,
                 "ravek-cli convert: %s\nusage: ravek-cli convert IN OUT --to "
                 "com|pdb|pdb-short|rpd %s [--frame N]\n",
                 message.c_str(), ModelSource::Usage());
    return kExitUsage;
}

bool Write(CMolData& mol, Target target, StdioFile* file, const std::string& finalPath,
           std::string* refusal) {
    switch (target) {
    case Target::kCom:
        return WriteGaussianInput(mol, file, finalPath, refusal);
    case Target::kPdb:
        return writePdb(mol, file, refusal);
    case Target::kPdbShort:
        return writePdbShort(mol, file, refusal);
    case Target::kRpd:
        return WriteRamachandranData(mol, file) && !file->HasWriteError();
    case Target::kNone:
        break;
    }
    return false;
}

} // namespace

int RunConvert(const std::vector<std::string>& args) {
    ModelSource source;
    std::string out;
    Target target = Target::kNone;
    bool frameGiven = false;
    int frame = 0;
    std::string error;
    for (std::size_t i = 0; i < args.size();) {
        bool taken = false;
        if (!source.Consume(args, i, taken, error))
            return UsageError(error);
        if (taken)
            continue;
        const std::string& arg = args[i];
        if ((arg == "--to" || arg == "--frame") && i + 1 < args.size()) {
            if (arg == "--to") {
                target = TargetOf(args[i + 1]);
                if (target == Target::kNone)
                    return UsageError("--to must be com, pdb, pdb-short or rpd, not '" +
                                      args[i + 1] + "'");
            } else {
                if (!TextScanner::ParseInt(args[i + 1], frame))
                    return UsageError("--frame needs a whole number, not '" + args[i + 1] + "'");
                frameGiven = true;
            }
            i += 2;
            continue;
        }
        if (out.empty() && !arg.empty() && arg[0] != '-') {
            out = arg;
            ++i;
            continue;
        }
        return UsageError("unexpected argument '" + arg + "'");
    }
    if (!source.Complete(error))
        return UsageError(error);
    if (out.empty())
        return UsageError("no output file named");
    if (target == Target::kNone)
        return UsageError("no --to format named");

    std::unique_ptr<CMolData> mol;
    const int code = source.Read(mol);
    if (code != kExitOk)
        return code;
    if (frameGiven) {
        if (frame < 0 || frame >= mol->frameCount)
            return UsageError("--frame " + std::to_string(frame) + " is not a geometry of " +
                              source.Path() + " (0 to " + std::to_string(mol->frameCount - 1) +
                              ")");
        mol->SetCurrentFrame(frame);
    }
    std::string refusal;
    const auto write = [&](StdioFile& file) { return Write(*mol, target, &file, out, &refusal); };
    if (!WriteFileAtomically(out, write, error)) {
        std::fprintf(stderr, "ravek-cli: cannot write %s: %s\n", out.c_str(),
                     refusal.empty() ? error.c_str() : refusal.c_str());
        return kExitUsage;
    }
    return kExitOk;
}
