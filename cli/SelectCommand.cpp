#include "cli/SelectCommand.h"

#include "cli/ArgumentParser.h"
#include "cli/JsonWriter.h"
#include "cli/ModelSource.h"
#include "model/ResidueSummary.h"
#include "model/SelectionEvaluator.h"
#include "model/TextScanner.h"

#include <cstdio>

namespace {

const char kUsage[] = "usage: ravek-cli select FILE EXPR [--frame N] [--secondary assigned|file]\n";

int UsageError(const std::string& message) {
    std::fprintf(stderr, "ravek-cli select: %s\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

} // namespace

int RunSelect(const std::vector<std::string>& args) {
    ModelSource source;
    std::string expression, error;
    bool expressionGiven = false, fileSecondary = false;
    int frame = 0; // 0: the model's own
    ArgumentParser parser;
    source.AddTo(parser);
    parser.Plain([&expressionGiven] { return !expressionGiven; },
                 [&](const std::string& value) {
                     expression = value;
                     expressionGiven = true;
                     return std::string();
                 });
    parser.Option("--frame", [&frame](const std::string& value) -> std::string {
        if (!TextScanner::ParseInt(value, frame) || frame < 1)
            return "--frame needs a geometry number from 1, not '" + value + "'";
        return {};
    });
    parser.Option("--secondary", [&fileSecondary](const std::string& value) -> std::string {
        if (value != "assigned" && value != "file")
            return "--secondary must be assigned or file, not '" + value + "'";
        fileSecondary = value == "file";
        return {};
    });
    if (!parser.Parse(args, error))
        return UsageError(error);
    if (!source.Complete(error))
        return UsageError(error);
    if (!expressionGiven)
        return UsageError("no selection named (EXPR, such as \"chain A and resi 10-20\")");

    std::unique_ptr<CMolData> model;
    const int code = source.Read(model);
    if (code != kExitOk)
        return code;
    if (frame > model->frameCount) {
        std::fprintf(stderr, "ravek-cli select: the file has %d geometries, not %d\n",
                     model->frameCount, frame);
        return kExitUsage;
    }
    const int g = frame > 0 ? frame - 1 : model->firstShownFrame;
    SelectionEvaluator::Mask atoms;
    if (!SelectionEvaluator(*model, g, nullptr, fileSecondary).Select(expression, atoms, error)) {
        std::fprintf(stderr, "ravek-cli select: %s\n", error.c_str());
        return kExitUsage;
    }
    const CMolFrame& shown = model->Frame(g);
    JsonWriter json(stdout);
    json.BeginObject();
    json.Key("selection");
    json.String(expression);
    json.Key("frame");
    json.Int(g + 1);
    json.Key("count");
    json.Int(static_cast<long long>(SelectionEvaluator::Count(atoms)));
    for (const bool serials : {false, true}) {
        json.Key(serials ? "serials" : "indices");
        json.BeginArray();
        for (int a = 0; a < shown.atomCount; ++a) {
            if (atoms[static_cast<std::size_t>(a)] == 0)
                continue;
            const int serial = shown.SerialOfAtom(a);
            if (!serials)
                json.Int(a);
            else if (serial >= 0)
                json.Int(serial);
            else
                json.Null();
        }
        json.EndArray();
    }
    json.EndObject();
    if (!json.Flush() || std::fputc('\n', stdout) == EOF || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "ravek-cli: cannot write the output\n");
        return kExitUsage;
    }
    return kExitOk;
}
