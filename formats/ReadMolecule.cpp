#include "formats/ReadMolecule.h"

#include "formats/FileFormat.h"
#include "io/StdioFile.h"

#include <new>

std::unique_ptr<CMolData> ReadMolecule(StdioFile* file, FileKind kind, const PdbOptions& options,
                                       bool* outOfMemory, std::unique_ptr<LogFollower>* follower) {
    if (outOfMemory != nullptr)
        *outOfMemory = false;
    if (follower != nullptr)
        follower->reset();
    const FileFormat* format = FormatReading(kind);
    if (format == nullptr)
        return nullptr;
    try {
        if (follower != nullptr && format->follow != nullptr) {
            auto model = std::make_unique<CMolData>();
            *follower = format->follow(file, *model);
            return model;
        }
        return format->read(file, options);
    } catch (const std::bad_alloc&) {
        // Whatever the reader had built is gone with its unwinding.
        if (follower != nullptr)
            follower->reset();
        if (outOfMemory != nullptr)
            *outOfMemory = true;
    }
    return nullptr;
}

MoleculeFile ReadMoleculeFile(const std::string& path, FileKind kind, const PdbOptions& options,
                              StdioFile::OpenMode mode) {
    StdioFile file;
    std::string error;
    if (!file.Open(path, mode, &error)) {
        MoleculeFile result;
        result.status = MoleculeFile::Status::kCannotOpen;
        result.error = std::move(error);
        return result;
    }
    return ReadOpenedMoleculeFile(file, kind, options);
}

MoleculeFile ReadOpenedMoleculeFile(StdioFile& file, FileKind kind, const PdbOptions& options) {
    MoleculeFile result;
    result.compressed = file.WasCompressed();
    // The first block read ahead is looked at, not consumed.
    std::size_t available = 0;
    const char* head = file.Peek(available);
    result.contentKind =
        FileKindFromContent(std::string_view(head != nullptr ? head : "", available));
    if (kind == FileKind::kByContent) {
        kind = result.contentKind;
        result.byContent = true;
    }
    kind = KindOfNamedFile(kind, result.contentKind);
    result.kind = kind;
    if (kind == FileKind::kUnknown) {
        result.status = MoleculeFile::Status::kUnknownType;
        return result;
    }
    if (FormatReading(kind) == nullptr) {
        result.status = MoleculeFile::Status::kNotRead;
        return result;
    }
    bool outOfMemory = false;
    std::unique_ptr<CMolData> model =
        ReadMolecule(&file, kind, options, &outOfMemory, &result.follower);
    if (model == nullptr) {
        result.status = MoleculeFile::Status::kOutOfMemory;
        return result;
    }
    result.skippedLines = model->skippedLines;
    result.reason = NoMoleculeReasonOf(*model);
    result.status = result.reason == NoMoleculeReason::kNone ? MoleculeFile::Status::kMolecule
                                                             : MoleculeFile::Status::kNoMolecule;
    result.model = std::move(model);
    return result;
}

std::string MoleculeFile::Describe(const std::string& path) const {
    switch (status) {
    case Status::kMolecule:
        return {};
    case Status::kCannotOpen:
        return "cannot open " + path + ": " + error;
    case Status::kUnknownType:
        return byContent ? path + ": unknown file type (neither its name nor its first lines "
                                  "say which)"
                         : path + ": unknown file type (the name does not end in " +
                               KnownExtensions() + ")";
    case Status::kNoMolecule: {
        const std::string why = path + ": no molecule: " + DescribeNoMoleculeReason(reason, kind);
        if (reason == NoMoleculeReason::kUnresolvedZMatrix && model != nullptr)
            return why + " (" + DescribeZMatrixProblem(model->zMatrixProblem) + ")";
        if (reason == NoMoleculeReason::kUnreadableFormat && model != nullptr)
            return why + " (" + model->formatProblem + ")";
        return why;
    }
    case Status::kOutOfMemory:
        return path + ": the molecule is too large for the memory available";
    case Status::kNotRead: {
        const std::string title = FormatOfKind(kind)->title;
        const bool vowel = std::string_view("AEIOUaeiou").find(title.front()) != std::string::npos;
        return path + ": the file is " + (vowel ? "an " : "a ") + title +
               ", a kind of file this version does not read";
    }
    }
    return {};
}
