#pragma once

#include "platform/CommandUpdate.h"

#include <functional>
#include <unordered_map>

// The commands one command target handles: for each id, what running it
// does and what its menu item and toolbar button show. A target answers
// OnCmdMsg with Dispatch.
class CommandTable {
public:
    using Run = std::function<void()>;
    using Update = std::function<void(CommandUpdate&)>;

    // A command that is always enabled unless update says otherwise.
    void Add(int id, Run run, Update update = {});
    // A command whose check mark shows checked().
    void AddCheck(int id, Run run, std::function<bool()> checked);
    // A command enabled while enabled() holds; it never runs otherwise.
    void AddEnabled(int id, Run run, std::function<bool()> enabled);

    // With update null runs id, with update given sets its state; false,
    // doing nothing, when id is not in the table.
    bool Dispatch(int id, CommandUpdate* update) const;

private:
    struct Entry {
        Run run;
        Update update;
    };
    std::unordered_map<int, Entry> entries_;
};
