#pragma once

#include "render/MolDocState.h"

#include <string>
#include <vector>

class CMolData;
struct ViewState;

// The commands a user types into a molecule window's command box, or
// writes a line each into a script (docs/commands.md):
//
//   show STYLE[, SEL]        draw SEL (all) in STYLE as a row of its own
//   hide [STYLE][, SEL]      stop drawing SEL in STYLE (every style)
//   color COLOURING[, SEL]   colour SEL by a scheme or in one colour
//   label SEL                write the atoms' names beside them
//   select [NAME,] SEL       name the atoms SEL holds (NAME sele when none)
//   zoom [SEL], orient [SEL] fit the camera to SEL; orient also turns it
//   reset                    drop every row: the menus' picture again
//
// Commands act on the view's state and its camera; the model is only read.
class ViewScript {
public:
    // The document gives the model (not null) and which secondary structure
    // helix, sheet and coil select.
    ViewScript(ViewState& view, const MolDocState& document)
        : view_(view), data_(*document.data), fileSecondary_(document.secondaryFromFile) {}

    // Runs one command; false with a message when it cannot (nothing is
    // changed then). A blank line or a comment (#) does nothing. message
    // says what was done (or why not) in one line.
    bool Run(const std::string& line, std::string& message);
    // Runs the lines of a script in order; false at the first that fails,
    // with its line number in the message.
    bool RunScript(const std::string& text, std::string& message);

private:
    bool Show(const std::string& arguments, std::string& message);
    bool Hide(const std::string& arguments, std::string& message);
    bool Colour(const std::string& arguments, std::string& message);
    bool Label(const std::string& arguments, std::string& message);
    bool Select(const std::string& arguments, std::string& message);
    bool Fit(const std::string& arguments, bool turn, std::string& message);
    // The atoms text selects; false with the parser's message.
    bool Atoms(const std::string& text, std::vector<char>& atoms, std::string& message) const;
    // The rows exist: a first that follows the menus when there were none.
    void EnsureRows();

    ViewState& view_;
    const CMolData& data_;
    bool fileSecondary_ = false;
};
