#pragma once

#include "model/JobResults.h"

#include <QDockWidget>
#include <QPointer>

#include <vector>

class CMolView;
class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;
class QTabWidget;

// The dockable panel of what a job computed beyond its geometry, for the
// active molecule window: atomic charges and spin densities (colouring the
// atoms on a blue–white–red ramp with its bar, labelling them with their
// values), the thermochemistry in hartree and kcal/mol, the NMR shieldings
// with their shifts against the reference of each element, and the excited
// states with their main transitions. What the output printed only in part
// is said at the top.
class CResultsPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit CResultsPanel(QWidget* parent = nullptr);

    // The molecule window whose document the panel shows and whose atoms it
    // colours and labels; null for none.
    void SetView(CMolView* view);
    static bool HasContent(const CMolView* view);

    // A problem of the output's results as the panel says it.
    static QString ProblemText(const JobResults::Problem& problem);

    QComboBox* valuesBox; // the charges, spins or shifts given to the atoms
    QCheckBox* colourBox; // colour the atoms by them
    QCheckBox* labelBox;  // label the atoms with them
    QLabel* colourBar;
    QLabel* rangeLabel;
    QTableWidget* valuesTable;
    QTableWidget* thermochemistryTable;
    QTableWidget* nmrTable;
    QTableWidget* statesTable;

private:
    void Refill();
    void FillValues(const JobResults& results);
    void FillThermochemistry(const JobResults& results);
    void FillNmr();
    void FillStates(const JobResults& results);
    // The values of the choice in valuesBox, one per atom (NaN for none).
    std::vector<double> ChosenValues() const;
    // Puts the chosen values, colouring and labels into the view.
    void Apply();

    // The NMR references as they are now, to see them change.
    QString References() const;

    QPointer<CMolView> view_;
    const void* shownResults_ = nullptr;
    int shownLoad_ = -1;
    int shownRevision_ = -1;
    QString shownReferences_;
    std::vector<int> nmrElements_; // distinct, of the results shown
    QLabel* problems_;
    QTabWidget* tabs_;
    bool filling_ = false;
};
