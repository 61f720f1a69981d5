#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class ChildFrame;
class Document;
class View;
class QWidget;

// A kind of document window: which document, frame and view make it up, and
// the strings that name it. The template owns its open documents.
class DocTemplate {
public:
    // Fields of the template string "\nwindowTitle\ndocName\n...", in order.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };

    struct Factories {
        std::function<std::unique_ptr<Document>()> document;
        // Creates a hidden frame inside the main window.
        std::function<ChildFrame*(DocTemplate*)> frame;
        // Creates the view of document inside parent.
        std::function<View*(Document*, QWidget* parent)> view;
    };

    DocTemplate(int resourceId, const QString& docStrings, Factories factories);
    ~DocTemplate();
    DocTemplate(const DocTemplate&) = delete;
    DocTemplate& operator=(const DocTemplate&) = delete;

    int GetResourceId() const { return resourceId_; }
    QString GetDocString(DocStringIndex index) const;

    // Opens path in a new window of this kind, or a new empty document when
    // path is empty. A document already open on path is only activated.
    // Returns null when the document could not be set up or read.
    Document* OpenDocumentFile(const QString& path, bool makeVisible = true);
    // The document open in a window on path, or null.
    Document* FindOpenDocument(const QString& path) const;
    // Opens path in a new window of this kind with open (in place of the
    // document's OnOpenDocument), even when a document is open on it
    // already; null, and no window, when open fails.
    Document* OpenDocumentWith(const QString& path, const std::function<bool(Document*)>& open,
                               bool makeVisible = true);
    // A new window on document (for a second window or another kind of view).
    ChildFrame* CreateNewFrame(Document* document);
    // First update of the frame's view, then shows the frame.
    void InitialUpdateFrame(ChildFrame* frame, Document* document, bool makeVisible = true);

    // Deletes document; called when its last view goes.
    void RemoveDocument(Document* document);
    // Closes every window of every document of this kind at once, so owners
    // write their settings now.
    void CloseAllDocuments();

private:
    // The untitled name of a new document: the document name and a number.
    void SetDefaultTitle(Document* document);

    int resourceId_;
    QStringList docStrings_;
    Factories factories_;
    std::vector<std::unique_ptr<Document>> documents_;
    int untitledCount_ = 0;
};
