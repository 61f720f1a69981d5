#include "cli/ArgumentParser.h"

#include <utility>

void ArgumentParser::Switch(const std::string& name, std::function<void()> seen) {
    named_.push_back({name, false, std::move(seen), {}});
}

void ArgumentParser::Option(const std::string& name, Take take) {
    named_.push_back({name, true, {}, std::move(take)});
}

void ArgumentParser::Plain(std::function<bool()> wants, Take take) {
    plain_.push_back({std::move(wants), std::move(take)});
}

bool ArgumentParser::Parse(const std::vector<std::string>& args, std::string& error) const {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const Named* named = nullptr;
        for (const Named& option : named_) {
            if (option.name == arg)
                named = &option;
        }
        if (named != nullptr && !named->takesValue) {
            named->seen();
            continue;
        }
        if (named != nullptr) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            error = named->take(args[++i]);
            if (!error.empty())
                return false;
            continue;
        }
        const bool plain = arg.empty() || arg[0] != '-' || arg == "-";
        const PlainTaker* taker = nullptr;
        for (const PlainTaker& candidate : plain_) {
            if (plain && taker == nullptr && candidate.wants())
                taker = &candidate;
        }
        if (taker == nullptr) {
            error = "unexpected argument '" + arg + "'";
            return false;
        }
        error = taker->take(arg);
        if (!error.empty())
            return false;
    }
    return true;
}
