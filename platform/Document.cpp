#include "platform/Document.h"

#include "platform/ChildFrame.h"
#include "platform/DocTemplate.h"
#include "platform/LocalPath.h"
#include "platform/MessageBox.h"
#include "platform/View.h"

#include <QApplication>
#include <QMainWindow>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

Document::Document() = default;

Document::~Document() = default;

void Document::SetTitle(const QString& title) {
    title_ = title;
    UpdateFrameTitles();
}

void Document::SetPathName(const QString& path) {
    pathName_ = LocalPath::Absolute(path);
    SetTitle(LocalPath::DisplayName(path));
}

void Document::AddView(View* view) {
    views_.push_back(view);
}

void Document::RemoveView(View* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
    if (views_.empty() && template_ != nullptr && !closing_) {
        closing_ = true;
        template_->RemoveDocument(this); // deletes this document
        return;
    }
    UpdateFrameTitles();
}

void Document::UpdateAllViews(View* sender) {
    const std::vector<View*> views = views_;
    for (View* view : views) {
        if (view != sender)
            view->OnUpdate(sender);
    }
    emit changed();
}

void Document::OnCloseDocument() {
    const std::vector<View*> views = views_;
    for (View* view : views) {
        if (ChildFrame* frame = ChildFrame::Of(view->Widget()))
            frame->close();
    }
}

bool Document::OnNewDocument() {
    pathName_.clear();
    return true;
}

bool Document::OnOpenDocument(const QString& path) {
    const QString reason = WhyUnreadable(path);
    if (!reason.isEmpty()) {
        MessageBox::ShowCannotOpen(nullptr, path, reason);
        return false;
    }
    return true;
}

QWidget* Document::DialogParent() const {
    if (!views_.empty() && views_.front()->Widget() != nullptr)
        return views_.front()->Widget()->window();
    // A document being read has no window yet; right after a file dialog
    // closes no window may be active either: the program's main window,
    // which a box's modality then holds.
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(window) != nullptr && window->isVisible())
            return window;
    }
    return nullptr;
}

QString Document::WhyUnreadable(const QString& path) {
    // Looked at, not opened: opening a named pipe would wait for a writer.
    const QByteArray name = QByteArray::fromStdString(LocalPath::Bytes(path));
    struct stat info {};
    int error = 0;
    if (::stat(name.constData(), &info) != 0)
        error = errno;
    else if (S_ISDIR(info.st_mode))
        error = EISDIR;
    else if (::access(name.constData(), R_OK) != 0)
        error = errno;
    return error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : QString();
}

bool Document::OnCmdMsg(int, CommandUpdate*) {
    return false;
}

void Document::UpdateFrameTitles() {
    // With several windows each is numbered (":1", ":2", ...) in the order
    // they were made; a window showing more than the document's main view
    // (a chart, a spectrum) names what it shows after that.
    std::vector<std::pair<ChildFrame*, QString>> frames;
    for (View* view : views_) {
        if (ChildFrame* frame = ChildFrame::Of(view->Widget()))
            frames.emplace_back(frame, view->KindName());
    }
    int number = 0;
    for (const auto& [frame, kind] : frames) {
        QString caption = title_;
        if (frames.size() > 1)
            caption += QLatin1Char(':') + QString::number(++number);
        if (!kind.isEmpty())
            caption = caption.isEmpty() ? kind : caption + QStringLiteral(" - ") + kind;
        frame->setWindowTitle(caption);
    }
    emit framesChanged();
}
