#include "platform/CommandTable.h"

#include <utility>

void CommandTable::Add(int id, Run run, Update update) {
    entries_[id] = Entry{std::move(run), std::move(update)};
}

void CommandTable::AddCheck(int id, Run run, std::function<bool()> checked) {
    Add(id, std::move(run),
        [checked = std::move(checked)](CommandUpdate& update) { update.SetCheck(checked()); });
}

void CommandTable::AddEnabled(int id, Run run, std::function<bool()> enabled) {
    Add(
        id,
        [run = std::move(run), enabled] {
            if (enabled())
                run();
        },
        [enabled](CommandUpdate& update) { update.Enable(enabled()); });
}

bool CommandTable::Dispatch(int id, CommandUpdate* update) const {
    const auto it = entries_.find(id);
    if (it == entries_.end())
        return false;
    const Entry& entry = it->second;
    if (update == nullptr) {
        if (entry.run)
            entry.run();
    } else if (entry.update) {
        entry.update(*update);
    }
    return true;
}
