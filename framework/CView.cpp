#include "framework/CView.h"

#include "framework/CDocument.h"
#include "framework/CFrameWnd.h"

CView::CView(QWidget* parent) : QWidget(parent) {
    // A click anywhere in a pane makes it the active one, even where no child takes focus.
    setFocusPolicy(Qt::ClickFocus);
}

CView::~CView() {
    if (m_document) {
        m_document->RemoveView(this);
    }
    if (CFrameWnd* frame = GetParentFrame()) {
        frame->ViewDestroyed(this);
    }
}

void CView::AttachDocument(CDocument* document) {
    m_document = document;
    document->AddView(this);
}

CFrameWnd* CView::GetParentFrame() const {
    for (QWidget* widget = parentWidget(); widget; widget = widget->parentWidget()) {
        if (auto* frame = dynamic_cast<CFrameWnd*>(widget)) {
            return frame;
        }
    }
    return nullptr;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, long, CObject*) {}
