#pragma once

class CMolView;
class CommandTable;

// The commands of a molecule window (styles, colours, labels, stepping,
// measuring, pictures, movies, printing), each with the state its menu item
// shows, added to the window's command table.
class MolViewCommands {
public:
    static void Add(CMolView& view, CommandTable& commands);
};
