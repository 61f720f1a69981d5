#pragma once

#include "platform/View.h"

#include <QOpenGLFunctions>
#include <QOpenGLWidget>

struct MolDocState;

// The view of a molecule window: an OpenGL window on its document's model.
// Keeps the display style, colouring and hydrogen setting of the settings
// store.
class CMolView : public QOpenGLWidget, public View, protected QOpenGLFunctions {
    Q_OBJECT
public:
    CMolView(Document* document, QWidget* parent);
    ~CMolView() override;

    // The model and display settings of the document.
    MolDocState* GetDocState() const;
    QWidget* Widget() override { return this; }
    void OnUpdate(View* sender) override;

    // The atom picked last, -1 for none.
    int LastPickedAtom() const { return lastPickedAtom; }
    // The geometry drawn.
    int DrawnFrame() const;

    int displayFlags;
    int colourMode;
    int showHydrogens;
    float backgroundColour[3] = {0.0F, 0.0F, 0.0F};
    int lastPickedAtom = -1;

signals:
    // A picture has been drawn and shown.
    void pictureDrawn();

protected:
    void initializeGL() override;
    void paintGL() override;
};
