#pragma once

#include <functional>
#include <string>
#include <vector>

// The command line of one ravek-cli command: its switches, its options with
// a value and its plain arguments, declared once and parsed by one walk
// shared by every command. Written here rather than taken from a library so
// that the messages stay the tool's own one-line sentences.
class ArgumentParser {
public:
    // What taking a value or an argument says: empty when it was good, else
    // the message for the user.
    using Take = std::function<std::string(const std::string& value)>;

    // A switch without a value.
    void Switch(const std::string& name, std::function<void()> seen);
    // An option followed by its value.
    void Option(const std::string& name, Take take);
    // A plain argument (not starting with '-', or "-" itself for standard
    // input): wants says whether it still takes one, take takes it. Plain
    // arguments go to the first of these that still wants one.
    void Plain(std::function<bool()> wants, Take take);

    // Walks args; false with error set at the first fault: an option
    // without its value, a bad value, an argument nothing takes.
    bool Parse(const std::vector<std::string>& args, std::string& error) const;

private:
    struct Named {
        std::string name;
        bool takesValue;
        std::function<void()> seen;
        Take take;
    };
    struct PlainTaker {
        std::function<bool()> wants;
        Take take;
    };
    std::vector<Named> named_;
    std::vector<PlainTaker> plain_;
};
