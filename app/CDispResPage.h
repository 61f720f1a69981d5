#pragma once

#include "platform/PropertyPage.h"

#include <map>
#include <string>
#include <vector>

class QComboBox;
class QListWidget;
class QAbstractButton;

// "残基" of the display settings: residues to show or hide, each named with
// its chain where the file gives chains; a chain chosen from the chain box
// adds all its residues to the selection.
class CDispResPage : public PropertyPage {
    Q_OBJECT
public:
    CDispResPage();

    bool DoDataExchange(bool save) override;
    void OnInitDialog() override;
    void OnDestroy() override;

    // 0 show the selected residues only, 1 hide them, 2 show all.
    int displayMode = -1;
    std::map<int, std::string> residueLabels;
    // The chain of each residue by residue index (empty: none given).
    std::vector<std::string> residueChains;
    std::vector<int> selectedResidues;

private:
    // Selects every residue of the chain chosen in the chain box.
    void SelectChain(int index);

    QListWidget* list_;
    QComboBox* chains_;
    QAbstractButton* modes_[3];
};
