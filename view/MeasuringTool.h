#pragma once

#include <vector>

class CMolData;
class QWidget;
struct ViewState;

// What clicks on atoms do to a molecule window's state: pick, label and
// select, and measure. In the plain mode a click toggles the atom's label
// and selection and measures what is selected in a dialog; while measuring
// (2, 3 or 4 atoms) clicks collect atoms until the measurement is kept on
// the molecule, without labels or a dialog.
class MeasuringTool {
public:
    explicit MeasuringTool(ViewState& state) : state_(state) {}

    // The atoms a measurement collects while measuring (2, 3 or 4); 0 when
    // clicks pick as usual.
    int measuringAtoms = 0;

    // A click on atom (-1: beside every atom), accumulating with Shift or the
    // right button; true when the selection is to be measured in a dialog
    // now (see ShowDialog), after which it is cleared.
    bool Click(const CMolData& model, int atom, bool accumulate, QWidget* parent);
    // Keeps a measurement of atoms on the molecule (once); false when it has
    // no value, after a message (to parent) for a dihedral when say.
    bool Keep(const CMolData& model, const std::vector<int>& atoms, QWidget* parent,
              bool say = true);
    // Shows the distance, angle or dihedral of the selected atoms in its
    // dialog beside parent; kept on the molecule too when the setting says
    // so.
    void ShowDialog(const CMolData& model, QWidget* parent);

private:
    ViewState& state_;
};
