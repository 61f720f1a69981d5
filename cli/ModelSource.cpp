#include "cli/ModelSource.h"

#include "formats/NoMoleculeReason.h"
#include "formats/ReadMolecule.h"
#include "platform/StdioFile.h"

#include <cstdio>

bool ModelSource::Consume(const std::vector<std::string>& args, std::size_t& i, bool& taken,
                          std::string& error) {
    const std::string& arg = args[i];
    taken = true;
    if (arg == "--type" || arg == "--bond-mode") {
        if (i + 1 >= args.size()) {
            error = arg + " needs a value";
            return false;
        }
        const std::string& value = args[i + 1];
        if (arg == "--type") {
            if (value != "gaussian" && value != "pdb") {
                error = "--type must be gaussian or pdb, not '" + value + "'";
                return false;
            }
            typeGiven_ = true;
            type_ = value == "gaussian" ? kFileTypeGaussian : kFileTypePdb;
        } else {
            if (value != "0" && value != "1") {
                error = "--bond-mode must be 0 or 1, not '" + value + "'";
                return false;
            }
            pdb_.bondMode = value == "0" ? 0 : 1;
        }
        i += 2;
        return true;
    }
    if (arg == "--conect") {
        pdb_.conect = 1;
        ++i;
        return true;
    }
    if (path_.empty() && (arg.empty() || arg[0] != '-' || arg == "-")) {
        path_ = arg;
        ++i;
        return true;
    }
    taken = false;
    return true;
}

bool ModelSource::Complete(std::string& error) const {
    if (path_.empty()) {
        error = "no input file named";
        return false;
    }
    return true;
}

int ModelSource::Read(std::unique_ptr<CMolData>& model) const {
    StdioFile file;
    std::string error;
    if (!file.Open(path_, StdioFile::modeRead, &error)) {
        std::fprintf(stderr, "ravek-cli: cannot open %s: %s\n", path_.c_str(), error.c_str());
        return kExitUsage;
    }
    const FileType type = typeGiven_ ? type_ : FileTypeFromPath(path_);
    if (type == kFileTypeUnknown) {
        std::fprintf(stderr,
                     "ravek-cli: %s: unknown file type (the name does not end in log, com, out, "
                     "gjf, pdb or ent); name one with --type gaussian|pdb\n",
                     path_.c_str());
        return kExitNoMolecule;
    }
    model = ReadMolecule(&file, type, pdb_);
    const NoMoleculeReason reason = NoMoleculeReasonOf(*model);
    if (reason != NoMoleculeReason::kNone) {
        std::fprintf(stderr, "ravek-cli: %s: no molecule: %s\n", path_.c_str(),
                     DescribeNoMoleculeReason(reason));
        model.reset();
        return kExitNoMolecule;
    }
    return kExitOk;
}
