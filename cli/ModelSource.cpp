#include "cli/ModelSource.h"

#include "formats/FileFormat.h"
#include "formats/ReadMolecule.h"

#include <cstdio>

void ModelSource::AddTo(ArgumentParser& parser) {
    parser.Option("--type", [this](const std::string& value) -> std::string {
        const FileFormat* format = FormatNamed(value);
        if (format == nullptr || format->read == nullptr)
            return "--type must be " + FormatNames(false, false) + ", not '" + value + "'";
        typeGiven_ = true;
        kind_ = format->kind;
        return {};
    });
    parser.Option("--bond-mode", [this](const std::string& value) -> std::string {
        if (value != "0" && value != "1")
            return "--bond-mode must be 0 or 1, not '" + value + "'";
        pdb_.bondMode = value == "0" ? 0 : 1;
        return {};
    });
    parser.Switch("--conect", [this] { pdb_.conect = 1; });
    parser.Plain([this] { return path_.empty(); },
                 [this](const std::string& value) {
                     path_ = value;
                     return std::string();
                 });
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

int ModelSource::ReadEach(const std::vector<std::string>& files,
                          std::vector<std::unique_ptr<CMolData>>& models) {
    for (const std::string& file : files) {
        ModelSource source;
        source.path_ = file;
        std::unique_ptr<CMolData> model;
        if (source.Read(model) == kExitUsage)
            return kExitUsage;
        models.push_back(std::move(model));
    }
    return kExitOk;
}
