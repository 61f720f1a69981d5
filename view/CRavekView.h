#pragma once

#include "platform/View.h"

#include <QWidget>

// The view of the placeholder window kind: shows nothing.
class CRavekView : public QWidget, public View {
    Q_OBJECT
public:
    CRavekView(Document* document, QWidget* parent) : QWidget(parent), View(document) {}

    QWidget* Widget() override { return this; }
    void OnUpdate(View*) override { update(); }
};
