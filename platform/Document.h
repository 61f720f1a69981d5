#pragma once

#include "platform/CommandTarget.h"

#include <QObject>
#include <QString>

#include <vector>

class DocTemplate;
class QWidget;
class View;

// A document of the multiple-document program: a title, the file it came
// from, and the views that show it. The document lives as long as it has a
// view; its template owns it.
class Document : public QObject, public CommandTarget {
    Q_OBJECT
public:
    Document();
    ~Document() override;

    void SetTitle(const QString& title);
    const QString& GetPathName() const { return pathName_; }
    // Remembers the full path and takes the file name as the title.
    void SetPathName(const QString& path);
    DocTemplate* GetDocTemplate() const { return template_; }
    // The name save dialogs offer for this document's files.
    virtual QString DefaultFileName() const { return title_; }
    // What the status bar's message pane says while this document's window
    // is active and nothing else is to be said; empty for the usual text.
    virtual QString StatusMessage() const { return {}; }

    const std::vector<View*>& GetViews() const { return views_; }
    // The window the document's dialogs and messages belong to: the one its
    // first view is in, or the active window while it has no view.
    QWidget* DialogParent() const;
    void AddView(View* view);
    // Detaches view; a document left without views closes itself.
    void RemoveView(View* view);
    // Closes every window of the document, and with the last one the
    // document itself.
    void OnCloseDocument();
    // Asks every view except sender to show the document's current state,
    // then signals changed().
    void UpdateAllViews(View* sender);

    // A new, empty document. Returns false when it cannot be set up.
    virtual bool OnNewDocument();
    // Reads path. The base checks that the file can be opened and reports
    // the reason in a message box when it cannot.
    virtual bool OnOpenDocument(const QString& path);
    // The system's reason why path cannot be read (missing, a folder, not
    // permitted); empty when it can be.
    static QString WhyUnreadable(const QString& path);

    bool OnCmdMsg(int id, CommandUpdate* update) override;
    // Captions of the document's windows: the title, with ":1", ":2", ...
    // when the document has several windows, then what the window shows
    // when it is more than the document's views (see View::KindName). A
    // view calls it when what it shows changes.
    void UpdateFrameTitles();

signals:
    // The title or the number of windows changed: captions need renewing.
    void framesChanged();
    // What the document holds changed (a file read, a geometry chosen, a
    // growing file read on): its views have been updated; the menus'
    // states and the status bar follow.
    void changed();

private:
    friend class DocTemplate;

    QString title_;
    QString pathName_;
    DocTemplate* template_ = nullptr;
    std::vector<View*> views_;
    bool closing_ = false;
};
