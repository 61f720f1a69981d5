#pragma once

#include "platform/View.h"

#include <QWidget>

// The view of a Ramachandran plot window on a molecule document.
class CPlotView : public QWidget, public View {
    Q_OBJECT
public:
    CPlotView(Document* document, QWidget* parent);

    QWidget* Widget() override { return this; }
    void OnUpdate(View* sender) override;
};
