#pragma once

#include "platform/PropertyPage.h"

class QCheckBox;

// "PDB" of the program settings: how PDB files are read.
class CPropPDBPage : public PropertyPage {
    Q_OBJECT
public:
    CPropPDBPage();

    bool DoDataExchange(bool save) override;

    int useConect = 0;
    int fastProteinList = 1;

private:
    QCheckBox* conectBox_;
    QCheckBox* fastListBox_;
};
