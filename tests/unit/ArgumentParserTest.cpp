// The one walk every ravek-cli command parses its arguments with.

#include "cli/ArgumentParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A command of a file, an output, a switch and an option whose value must
// be "a" or "b", as the commands declare theirs.
struct Command {
    std::string file, out, value;
    bool verbose = false;
    ArgumentParser parser;

    Command() {
        parser.Switch("--verbose", [this] { verbose = true; });
        parser.Option("--value", [this](const std::string& v) -> std::string {
            if (v != "a" && v != "b")
                return "--value must be a or b, not '" + v + "'";
            value = v;
            return {};
        });
        parser.Plain([this] { return file.empty(); },
                     [this](const std::string& v) {
                         file = v;
                         return std::string();
                     });
        parser.Plain([this] { return out.empty(); },
                     [this](const std::string& v) {
                         out = v;
                         return std::string();
                     });
    }
    std::string Parse(const std::vector<std::string>& args) {
        std::string error;
        return parser.Parse(args, error) ? std::string("ok") : error;
    }
};

TEST(ArgumentParser, OptionsAnywhereAndPlainArgumentsInOrder) {
    Command c;
    EXPECT_EQ(c.Parse({"--value", "b", "in.pdb", "--verbose", "out.xyz"}), "ok");
    EXPECT_EQ(c.file, "in.pdb");
    EXPECT_EQ(c.out, "out.xyz");
    EXPECT_EQ(c.value, "b");
    EXPECT_TRUE(c.verbose);
    // Standard input is a plain argument; a value may start with a dash.
    Command dash;
    EXPECT_EQ(dash.Parse({"-", "out.xyz"}), "ok");
    EXPECT_EQ(dash.file, "-");
    Command valueWithDash;
    valueWithDash.parser.Option("--name", [&](const std::string& v) {
        valueWithDash.out = v;
        return std::string();
    });
    EXPECT_EQ(valueWithDash.Parse({"--name", "-x"}), "ok");
    EXPECT_EQ(valueWithDash.out, "-x");
}

TEST(ArgumentParser, FaultsStopAtTheFirstWithItsSentence) {
    EXPECT_EQ(Command().Parse({"in.pdb", "--value"}), "--value needs a value");
    EXPECT_EQ(Command().Parse({"--value", "c", "in.pdb"}), "--value must be a or b, not 'c'");
    EXPECT_EQ(Command().Parse({"in.pdb", "--unknown"}), "unexpected argument '--unknown'");
    EXPECT_EQ(Command().Parse({"a", "b", "c"}), "unexpected argument 'c'");
    // Nothing after the fault is taken.
    Command c;
    EXPECT_NE(c.Parse({"--bad", "--verbose"}), "ok");
    EXPECT_FALSE(c.verbose);
}

} // namespace
