#pragma once

#include "platform/CommandTarget.h"

#include <QString>

class Document;
class QWidget;

// The part of a view the framework stand-ins need: its document, its widget
// and the update calls. Concrete views are widgets that also derive from
// this class; a view is attached to its document for its whole life.
class View : public CommandTarget {
public:
    explicit View(Document* document);
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    Document* GetDocument() const { return document_; }
    virtual QWidget* Widget() = 0;

    // Called once before the view is first shown; the default updates it.
    virtual void OnInitialUpdate() { OnUpdate(nullptr); }
    // The document changed: show its current state.
    virtual void OnUpdate(View* sender) = 0;

    // What the status bar's atom pane shows while this view is active.
    virtual QString StatusText() const { return {}; }
    // What the status bar's step pane shows while this view is active.
    virtual QString StepText() const { return {}; }
    // What the view shows, named in its window's title after the
    // document's ("opt.log:2 - Optimisation chart"); empty for the molecule
    // and plot views, whose windows bear the document's title alone.
    virtual QString KindName() const { return {}; }

    bool OnCmdMsg(int, CommandUpdate*) override { return false; }

private:
    Document* document_;
};
