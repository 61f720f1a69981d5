#include "platform/DocTemplate.h"

#include "platform/ChildFrame.h"
#include "platform/Document.h"
#include "platform/LocalPath.h"
#include "platform/View.h"

#include <QCoreApplication>
#include <QMdiArea>

#include <algorithm>

DocTemplate::DocTemplate(int resourceId, const QString& docStrings, Factories factories)
    : resourceId_(resourceId), docStrings_(docStrings.split(QLatin1Char('\n'))),
      factories_(std::move(factories)) {}

DocTemplate::~DocTemplate() {
    CloseAllDocuments();
}

QString DocTemplate::GetDocString(DocStringIndex index) const {
    return index < docStrings_.size() ? docStrings_[index] : QString();
}

Document* DocTemplate::FindOpenDocument(const QString& path) const {
    if (path.isEmpty())
        return nullptr;
    const QString absolute = LocalPath::Absolute(path);
    for (const auto& open : documents_) {
        if (open->GetPathName() == absolute && !open->GetViews().empty())
            return open.get();
    }
    return nullptr;
}

Document* DocTemplate::OpenDocumentFile(const QString& path, bool makeVisible) {
    if (Document* open = FindOpenDocument(path)) {
        if (ChildFrame* frame = ChildFrame::Of(open->GetViews().front()->Widget()))
            frame->mdiArea()->setActiveSubWindow(frame);
        return open;
    }
    if (path.isEmpty())
        return OpenDocumentWith(
            path, [](Document* document) { return document->OnNewDocument(); }, makeVisible);
    return OpenDocumentWith(
        path, [&path](Document* document) { return document->OnOpenDocument(path); }, makeVisible);
}

Document* DocTemplate::OpenDocumentWith(const QString& path,
                                        const std::function<bool(Document*)>& open,
                                        bool makeVisible) {
    documents_.push_back(factories_.document());
    Document* document = documents_.back().get();
    document->template_ = this;
    if (path.isEmpty())
        SetDefaultTitle(document);
    // Read before its window is made: a file that gives nothing leaves no
    // window to come and go (and no other window to lose its place).
    if (!open(document)) {
        RemoveDocument(document);
        return nullptr;
    }
    if (!path.isEmpty())
        document->SetPathName(path);
    ChildFrame* frame = CreateNewFrame(document);
    if (frame == nullptr) {
        RemoveDocument(document);
        return nullptr;
    }
    InitialUpdateFrame(frame, document, makeVisible);
    return document;
}

ChildFrame* DocTemplate::CreateNewFrame(Document* document) {
    ChildFrame* frame = factories_.frame(this);
    if (frame == nullptr)
        return nullptr;
    View* view = factories_.view(document, frame);
    frame->setWidget(view->Widget());
    document->UpdateFrameTitles();
    return frame;
}

void DocTemplate::InitialUpdateFrame(ChildFrame* frame, Document*, bool makeVisible) {
    if (View* view = frame->GetActiveView())
        view->OnInitialUpdate();
    if (makeVisible) {
        frame->ActivateFrame();
        frame->mdiArea()->setActiveSubWindow(frame);
    }
}

void DocTemplate::RemoveDocument(Document* document) {
    auto it = std::find_if(documents_.begin(), documents_.end(),
                           [document](const auto& open) { return open.get() == document; });
    if (it == documents_.end())
        return;
    std::unique_ptr<Document> removed = std::move(*it);
    documents_.erase(it);
}

void DocTemplate::CloseAllDocuments() {
    while (!documents_.empty()) {
        Document* document = documents_.back().get();
        const std::vector<View*> views = document->GetViews();
        if (views.empty()) {
            RemoveDocument(document);
            continue;
        }
        // Deleting the frames deletes the views; the last one deletes the
        // document.
        for (View* view : views) {
            ChildFrame* frame = ChildFrame::Of(view->Widget());
            if (frame != nullptr)
                delete frame;
            else
                delete view->Widget();
        }
    }
}

void DocTemplate::SetDefaultTitle(Document* document) {
    QString name = GetDocString(docName);
    if (name.isEmpty())
        name = QCoreApplication::translate("DocTemplate", "無題");
    document->SetTitle(name + QString::number(++untitledCount_));
}
