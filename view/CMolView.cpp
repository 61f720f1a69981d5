#include "view/CMolView.h"

#include "model/CMolData.h"
#include "platform/Document.h"
#include "render/MolDocState.h"
#include "res/SettingsKeys.h"

CMolView::CMolView(Document* document, QWidget* parent)
    : QOpenGLWidget(parent), View(document), displayFlags(Profile::Read(Settings::kDisplayMode)),
      colourMode(Profile::Read(Settings::kColorMode)),
      showHydrogens(Profile::Read(Settings::kDispHydrogen)) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMinimumSize(1, 1);
    connect(this, &QOpenGLWidget::frameSwapped, this, &CMolView::pictureDrawn);
}

CMolView::~CMolView() {
    const MolDocState* document = GetDocState();
    if (document != nullptr && document->initStart != 0) {
        displayFlags = 1;
        colourMode = 0;
        showHydrogens = 1;
    }
    Profile::Write(Settings::kDisplayMode, displayFlags);
    Profile::Write(Settings::kColorMode, colourMode);
    Profile::Write(Settings::kDispHydrogen, showHydrogens);
}

MolDocState* CMolView::GetDocState() const {
    return dynamic_cast<MolDocState*>(GetDocument());
}

int CMolView::DrawnFrame() const {
    const MolDocState* document = GetDocState();
    return document != nullptr && document->data != nullptr ? document->data->GetCurrentFrame() : 0;
}

void CMolView::OnUpdate(View*) {
    update();
}

void CMolView::initializeGL() {
    initializeOpenGLFunctions();
}

void CMolView::paintGL() {
    glClearColor(backgroundColour[0], backgroundColour[1], backgroundColour[2], 1.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
