#include "cli/WatchCommand.h"

#include "cli/ArgumentParser.h"
#include "cli/InfoCommand.h"
#include "cli/JsonWriter.h"
#include "cli/ModelSource.h"
#include "formats/LogFollower.h"
#include "io/StdioFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <thread>

namespace {

int UsageError(const std::string& message) {
    std::fprintf(stderr,
                 "ravek-cli watch: %s\nusage: ravek-cli watch FILE %s [--interval MS] "
                 "[--modes all|none]\n",
                 message.c_str(), ModelSource::Usage().c_str());
    return kExitUsage;
}

// Writes one JSON value on a line of its own; false when stdout failed (a
// reader that went away).
template <class Write> bool PrintLine(Write write) {
    {
        JsonWriter json(stdout);
        write(json);
        if (!json.Flush())
            return false;
    }
    return std::fputc('\n', stdout) != EOF && std::fflush(stdout) == 0;
}

class Watch {
public:
    Watch(const ModelSource& source, std::chrono::milliseconds interval, bool modes)
        : source_(source), interval_(interval), modes_(modes) {}

    int Run() {
        if (const int code = ReadWhole(); code != kExitOk)
            return code;
        // The job has ended when it says so and nothing follows for a
        // while: a job of several steps (Link1) goes on after each
        // step's termination line.
        bool quiet = false;
        for (;;) {
            const bool ended = model_->termination != CMolData::Termination::kRunning;
            // A geometry's step is complete once the next geometry has begun
            // or the job has ended: its energy and convergence are known.
            const int complete = ended ? model_->frameCount : model_->frameCount - 1;
            for (; printed_ < complete; ++printed_) {
                if (!PrintLine([&](JsonWriter& json) {
                        WriteFrame(json, *model_, printed_, {modes_, false});
                    }))
                    return WriteFailed();
            }
            if (ended && quiet) {
                const bool written = PrintLine([&](JsonWriter& json) {
                    json.BeginObject();
                    json.Key("termination");
                    json.String(TerminationName(*model_));
                    json.Key("frameCount");
                    json.Int(model_->frameCount);
                    json.EndObject();
                });
                return written ? kExitOk : WriteFailed();
            }
            std::this_thread::sleep_for(interval_);
            // Only a regular file, opened without waiting: a pipe or a
            // compressed file put in its place is not read.
            StdioFile file;
            if (!file.Open(source_.Path(), StdioFile::modeFollow)) {
                // Gone: an ended job's file ends the watch; a running job's
                // may be written again.
                quiet = true;
                continue;
            }
            LogFollower::Growth growth;
            try {
                growth = output_->ReadAppended(&file);
            } catch (const std::bad_alloc&) {
                std::fprintf(stderr,
                             "ravek-cli: the steps added to %s are too large for the "
                             "memory available\n",
                             source_.Path().c_str());
                return kExitUsage;
            }
            file.Close();
            quiet = !growth.readAgain && !growth.changed;
            if (growth.readAgain) {
                // A new job writing to the same name.
                if (!PrintLine([](JsonWriter& json) {
                        json.BeginObject();
                        json.Key("restarted");
                        json.Bool(true);
                        json.EndObject();
                    }))
                    return WriteFailed();
                if (const int code = ReadWhole(); code != kExitOk)
                    return code;
            }
        }
    }

private:
    // Reads the file from its start, waiting while it is an output that has
    // printed no geometry yet.
    int ReadWhole() {
        MoleculeFile read = source_.ReadNow(StdioFile::modeFollow);
        while (read.status == MoleculeFile::Status::kNoMolecule && read.model != nullptr &&
               read.model->termination != CMolData::Termination::kNotAnOutput &&
               read.model->termination == CMolData::Termination::kRunning) {
            std::this_thread::sleep_for(interval_);
            read = source_.ReadNow(StdioFile::modeFollow);
        }
        std::unique_ptr<LogFollower> reader = std::move(read.follower);
        output_.reset();
        if (const int code = source_.Take(std::move(read), model_); code != kExitOk)
            return code;
        output_ = std::move(reader);
        if (output_ == nullptr || model_->termination == CMolData::Termination::kNotAnOutput) {
            std::fprintf(stderr, "ravek-cli: %s is no Gaussian or ORCA output; nothing to watch\n",
                         source_.Path().c_str());
            return kExitUsage;
        }
        printed_ = 0;
        return kExitOk;
    }

    static int WriteFailed() {
        std::fprintf(stderr, "ravek-cli: cannot write the output\n");
        return kExitUsage;
    }

    const ModelSource& source_;
    std::chrono::milliseconds interval_;
    bool modes_;
    std::unique_ptr<CMolData> model_;
    // The reader of model_, which reads what the job appends.
    std::unique_ptr<LogFollower> output_;
    int printed_ = 0;
};

} // namespace

int RunWatch(const std::vector<std::string>& args) {
    ModelSource source;
    long interval = 1000;
    bool modes = true;
    std::string error;
    ArgumentParser parser;
    source.AddTo(parser);
    parser.Option("--interval", [&interval](const std::string& value) -> std::string {
        char* end = nullptr;
        interval = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || interval < 50 || interval > 600000)
            return "--interval must be milliseconds from 50 to 600000, not '" + value + "'";
        return {};
    });
    AddModesOption(parser, modes);
    if (!parser.Parse(args, error))
        return UsageError(error);
    if (!source.Complete(error))
        return UsageError(error);
    // A pipe gives its bytes once, and a compressed file cannot grow in
    // place: there is nothing to follow.
    std::string why;
    StdioFile probe;
    std::error_code ignored;
    if (std::filesystem::exists(source.Path(), ignored) &&
        !probe.Open(source.Path(), StdioFile::modeFollow, &why)) {
        std::fprintf(stderr, "ravek-cli: %s: %s\n", source.Path().c_str(), why.c_str());
        return kExitUsage;
    }
    probe.Close();
    Watch watch(source, std::chrono::milliseconds(interval), modes);
    return watch.Run();
}
