#include "platform/ChildFrame.h"

#include "platform/View.h"

ChildFrame::ChildFrame(DocTemplate* docTemplate) : template_(docTemplate) {
    setAttribute(Qt::WA_DeleteOnClose);
}

View* ChildFrame::GetActiveView() const {
    return dynamic_cast<View*>(widget());
}

Document* ChildFrame::GetActiveDocument() const {
    View* view = GetActiveView();
    return view != nullptr ? view->GetDocument() : nullptr;
}

void ChildFrame::ActivateFrame() {
    show();
}

ChildFrame* ChildFrame::Of(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<ChildFrame*>(w))
            return frame;
    }
    return nullptr;
}
