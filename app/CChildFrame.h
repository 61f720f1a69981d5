#pragma once

#include "platform/ChildFrame.h"

// The window of every document inside the main window. Opens maximised when
// the settings ask for it.
class CChildFrame : public ChildFrame {
    Q_OBJECT
public:
    explicit CChildFrame(DocTemplate* docTemplate);

    void ActivateFrame() override;

    int openMaximised;
};
