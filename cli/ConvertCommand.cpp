#include "cli/ConvertCommand.h"

#include "cli/ArgumentParser.h"
#include "cli/ModelSource.h"
#include "formats/FileFormat.h"
#include "formats/WholeStructureWriter.h"
#include "io/StdioFile.h"
#include "io/WriteFileAtomically.h"
#include "model/SelectionEvaluator.h"
#include "model/TextScanner.h"

#include <cstdio>

namespace {

int UsageError(const std::string& message) {
    std::fprintf(stderr,
                 "ravek-cli convert: %s\nusage: ravek-cli convert IN OUT --to %s %s [--frame N]\n"
                 "                [--selection EXPR] [--keywords \"! METHOD BASIS JOB\"]\n",
                 message.c_str(), FormatNames(true, true).c_str(), ModelSource::Usage().c_str());
    return kExitUsage;
}

} // namespace

int RunConvert(const std::vector<std::string>& args) {
    ModelSource source;
    std::string out;
    const FileFormat* target = nullptr;
    bool frameGiven = false;
    std::string selection;
    int frame = 0;
    std::string error;
    ArgumentParser parser;
    source.AddTo(parser);
    parser.Option("--to", [&target](const std::string& value) -> std::string {
        target = FormatNamed(value);
        if (target == nullptr || target->write == nullptr)
            return "--to must be " + FormatNames(true, false) + ", not '" + value + "'";
        return {};
    });
    parser.Option("--frame", [&](const std::string& value) -> std::string {
        if (!TextScanner::ParseInt(value, frame))
            return "--frame needs a whole number, not '" + value + "'";
        frameGiven = true;
        return {};
    });
    parser.Option("--selection", [&selection](const std::string& value) -> std::string {
        selection = value;
        return {};
    });
    std::string keywords;
    parser.Option("--keywords", [&keywords](const std::string& value) -> std::string {
        keywords = value;
        return {};
    });
    parser.Plain([&out] { return out.empty(); },
                 [&out](const std::string& value) -> std::string {
                     if (value == "-")
                         return "unexpected argument '-'";
                     out = value;
                     return {};
                 });
    if (!parser.Parse(args, error))
        return UsageError(error);
    if (!source.Complete(error))
        return UsageError(error);
    if (out.empty())
        return UsageError("no output file named");
    if (target == nullptr)
        return UsageError("no --to format named");

    std::unique_ptr<CMolData> mol;
    const int code = source.Read(mol);
    if (code != kExitOk)
        return code;
    if (frameGiven) {
        // Geometries count from 1, as the viewer's step box and the movie
        // options count them.
        if (frame < 1 || frame > mol->frameCount)
            return UsageError("--frame " + std::to_string(frame) + " is not a geometry of " +
                              source.Path() + " (1 to " + std::to_string(mol->frameCount) +
                              ", counted from 1)");
        // A trajectory format holds every geometry; the one asked for is
        // then written alone.
        if (target->kind == FileKind::kXyz)
            mol->KeepOnlyFrame(frame - 1);
    }
    // The geometry asked for, else the one the file ends with.
    const int shown =
        frameGiven && target->kind != FileKind::kXyz ? frame - 1 : mol->firstShownFrame;
    std::string refusal;
    // A selection is written by the whole-structure writers alone: the
    // others keep to their own choice of atoms.
    SelectionEvaluator::Mask atoms;
    const std::string_view name = target->name;
    if (!selection.empty()) {
        if (name != "pdb-full" && name != "mmcif")
            return UsageError("--selection goes with --to pdb-full or mmcif");
        std::string wrong;
        if (!SelectionEvaluator(*mol, shown).Select(selection, atoms, wrong)) {
            std::fprintf(stderr, "ravek-cli convert: --selection: %s\n", wrong.c_str());
            return kExitUsage;
        }
    }
    if (!keywords.empty() && name != "orca-input")
        return UsageError("--keywords goes with --to orca-input");
    const auto write = [&](StdioFile& file) {
        WrittenGeometry what(shown);
        what.jobKeywords = keywords;
        if (selection.empty())
            return target->write(*mol, what, &file, out, &refusal);
        std::string text;
        return WholeStructureWriter::Text(*mol, shown, &atoms,
                                          name == "mmcif" ? WholeStructureWriter::Layout::kMmcif
                                                          : WholeStructureWriter::Layout::kPdb,
                                          "ravek", text, &refusal) &&
               file.WriteString(text) && !file.HasWriteError();
    };
    if (!WriteFileAtomically(out, write, error)) {
        std::fprintf(stderr, "ravek-cli: cannot write %s: %s\n", out.c_str(),
                     refusal.empty() ? error.c_str() : refusal.c_str());
        return kExitUsage;
    }
    return kExitOk;
}
