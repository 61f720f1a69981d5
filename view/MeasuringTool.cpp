#include "view/MeasuringTool.h"

#include "model/CMolData.h"
#include "model/ElementTable.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "render/Measurement.h"
#include "render/ViewState.h"
#include "res/SettingsKeys.h"
#include "view/CAngleDlg.h"
#include "view/CBondDlg.h"
#include "view/CDihedralDlg.h"
#include "view/PlaceBeside.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <list>
#include <memory>

namespace {

bool Contains(const std::list<int>& list, int a) {
    return std::find(list.begin(), list.end(), a) != list.end();
}

// Removes a from list; true when it was there.
bool Remove(std::list<int>& list, int a) {
    const auto it = std::find(list.begin(), list.end(), a);
    if (it == list.end())
        return false;
    list.erase(it);
    return true;
}

void SayNoDihedral(QWidget* parent) {
    MessageBox::Show(parent, QCoreApplication::translate("CMolView", "二面角が決定できません"),
                     MessageBox::kWarning);
}

} // namespace

bool MeasuringTool::Click(const CMolData& model, int atom, bool accumulate, QWidget* parent) {
    if (atom < 0) {
        if (!accumulate)
            state_.measurementSelection.clear();
        return false;
    }
    if (measuringAtoms > 0 && !accumulate) {
        state_.lastPickedAtom = atom;
        if (!Remove(state_.measurementSelection, atom))
            state_.measurementSelection.push_back(atom);
        if (static_cast<int>(state_.measurementSelection.size()) >= measuringAtoms) {
            Keep(model,
                 std::vector<int>(state_.measurementSelection.begin(),
                                  state_.measurementSelection.end()),
                 parent);
            state_.measurementSelection.clear();
        }
        return false;
    }
    // A click always toggles the atom's label; Shift or the right button
    // toggles its selection too, a plain click adds it and measures.
    const bool wasSelected = accumulate ? Remove(state_.measurementSelection, atom)
                                        : Contains(state_.measurementSelection, atom);
    const bool wasLabelled = Remove(state_.labelledAtoms, atom);
    state_.lastPickedAtom = atom;
    if (!wasSelected)
        state_.measurementSelection.push_back(atom);
    if (!wasLabelled)
        state_.labelledAtoms.push_back(atom);
    return !accumulate;
}

bool MeasuringTool::Keep(const CMolData& model, const std::vector<int>& atoms, QWidget* parent,
                         bool say) {
    if (atoms.size() < 2 || atoms.size() > 4)
        return false;
    const Measurement measurement{atoms};
    if (std::isnan(measurement.Value(model, state_.frame))) {
        if (atoms.size() == 4 && say)
            SayNoDihedral(parent);
        return false;
    }
    if (std::find(state_.measurements.begin(), state_.measurements.end(), measurement) ==
        state_.measurements.end())
        state_.measurements.push_back(measurement);
    return true;
}

void MeasuringTool::ShowDialog(const CMolData& model, QWidget* parent) {
    const std::vector<int> atoms(state_.measurementSelection.begin(),
                                 state_.measurementSelection.end());
    if (atoms.size() < 2 || atoms.size() > 4)
        return;
    // Kept on the molecule as well when the setting says so (a dihedral
    // without a value is said below).
    if (Profile::Read(Settings::kKeepClickMeasurements) != 0)
        Keep(model, atoms, parent, false);
    const int g = state_.frame;
    double value = 0.0;
    std::unique_ptr<MeasureDialog> dialog;
    switch (atoms.size()) {
    case 2:
        value = model.GetDistance(g, atoms[0], atoms[1]);
        dialog = std::make_unique<CBondDlg>(parent);
        break;
    case 3:
        value = model.GetAngle(g, atoms[0], atoms[1], atoms[2]);
        dialog = std::make_unique<CAngleDlg>(parent);
        break;
    default:
        value = model.GetDihedral(g, atoms[0], atoms[1], atoms[2], atoms[3]);
        if (value > 180.0) {
            SayNoDihedral(parent);
            return;
        }
        dialog = std::make_unique<CDihedralDlg>(parent);
        break;
    }
    for (std::size_t k = 0; k < atoms.size(); ++k) {
        dialog->symbols[k] =
            QString::fromLatin1(ElementTable::Symbol(model.GetElement(g, atoms[k])));
        dialog->numbers[k] = QString::asprintf("%d", atoms[k] + 1);
    }
    dialog->value = QString::asprintf("%f", value);
    if (parent != nullptr)
        PlaceBeside(*dialog, *parent);
    dialog->exec();
}
