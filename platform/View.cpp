#include "platform/View.h"

#include "platform/Document.h"

View::View(Document* document) : document_(document) {
    if (document_ != nullptr)
        document_->AddView(this);
}

View::~View() {
    if (document_ != nullptr)
        document_->RemoveView(this);
}
