#pragma once

#include "platform/CommandTarget.h"

#include <QMdiSubWindow>

class DocTemplate;
class Document;
class View;

// A document window inside the main window: holds one view of a document.
class ChildFrame : public QMdiSubWindow, public CommandTarget {
    Q_OBJECT
public:
    explicit ChildFrame(DocTemplate* docTemplate);

    DocTemplate* GetDocTemplate() const { return template_; }
    View* GetActiveView() const;
    Document* GetActiveDocument() const;

    // Shows the frame for the first time; the default shows it normally.
    virtual void ActivateFrame();

    bool OnCmdMsg(int, CommandUpdate*) override { return false; }

    // The frame that holds widget, or null.
    static ChildFrame* Of(QWidget* widget);

private:
    DocTemplate* template_;
};
