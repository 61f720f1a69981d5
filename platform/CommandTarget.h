#pragma once

#include "platform/CommandUpdate.h"

#include <vector>

// Something that handles numbered commands of the menus, accelerators and
// toolbar: a view, a document, a frame or the application.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // With update null: runs command id and returns true if this target
    // handles it. With update given: runs nothing; returns true if this target
    // handles id, after setting the command's state in update (a handled
    // command stays enabled unless its update handler says otherwise).
    virtual bool OnCmdMsg(int id, CommandUpdate* update) = 0;
};

// Offers the command to each target of chain in order; the first that handles
// it wins. A command that no target handles is disabled.
inline bool RouteCommand(const std::vector<CommandTarget*>& chain, int id, CommandUpdate* update) {
    for (CommandTarget* target : chain) {
        if (target != nullptr && target->OnCmdMsg(id, update))
            return true;
    }
    if (update != nullptr)
        update->Enable(false);
    return false;
}
