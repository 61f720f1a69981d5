#include "cli/ModelSource.h"

#include "formats/FileFormat.h"
#include "formats/ReadMolecule.h"

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
            const FileFormat* format = FormatNamed(value);
            if (format == nullptr || format->read == nullptr) {
                error = "--type must be " + FormatNames(false, false) + ", not '" + value + "'";
                return false;
            }
            typeGiven_ = true;
            kind_ = format->kind;
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

std::string ModelSource::Usage() {
    return "[--type " + FormatNames(false, true) + "] [--conect] [--bond-mode 0|1]";
}

bool ModelSource::Complete(std::string& error) const {
    if (path_.empty()) {
        error = "no input file named";
        return false;
    }
    return true;
}

MoleculeFile ModelSource::ReadNow(StdioFile::OpenMode mode) const {
    return ReadMoleculeFile(path_, typeGiven_ ? kind_ : FileKindFromPath(path_), pdb_, mode);
}

int ModelSource::Take(MoleculeFile read, std::unique_ptr<CMolData>& model) const {
    switch (read.status) {
    case MoleculeFile::Status::kMolecule:
        model = std::move(read.model);
        return kExitOk;
    case MoleculeFile::Status::kUnknownType:
        std::fprintf(stderr, "ravek-cli: %s; name one with --type %s\n",
                     read.Describe(path_).c_str(), FormatNames(false, true).c_str());
        return kExitNoMolecule;
    case MoleculeFile::Status::kNoMolecule:
    case MoleculeFile::Status::kNotRead:
        std::fprintf(stderr, "ravek-cli: %s\n", read.Describe(path_).c_str());
        return kExitNoMolecule;
    case MoleculeFile::Status::kCannotOpen:
    case MoleculeFile::Status::kOutOfMemory:
        break;
    }
    std::fprintf(stderr, "ravek-cli: %s\n", read.Describe(path_).c_str());
    return kExitUsage;
}
