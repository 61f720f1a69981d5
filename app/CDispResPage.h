#pragma once

#include "platform/PropertyPage.h"

#include <map>
#include <string>
#include <vector>

class QListWidget;
class QAbstractButton;

// "残基" of the display settings: residues to show or hide.
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
    std::vector<int> selectedResidues;

private:
    QListWidget* list_;
    QAbstractButton* modes_[3];
};
