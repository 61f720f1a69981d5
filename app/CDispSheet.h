#pragma once

#include "platform/PropertySheet.h"

#include <QCoreApplication>

// "表示設定": the display settings sheet; remembers which page was active
// when it closed.
class CDispSheet : public PropertySheet {
    Q_OBJECT
public:
    explicit CDispSheet(QWidget* parent = nullptr)
        : PropertySheet(QCoreApplication::translate("CDispSheet", "表示設定"), parent) {}

    int activePage = 0;

protected:
    void OnDestroy() override { activePage = GetActiveIndex(); }
};
