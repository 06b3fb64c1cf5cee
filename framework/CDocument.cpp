#include "framework/CDocument.h"

#include <algorithm>

#include "framework/CView.h"

CDocument::~CDocument() {
    for (CView* view : m_views) {
        view->DetachDocument();
    }
}

void CDocument::AddView(CView* view) {
    m_views.push_back(view);
}

void CDocument::RemoveView(CView* view) {
    std::erase(m_views, view);
}

void CDocument::UpdateAllViews(CView* pSender, long lHint, CObject* pHint) {
    // A view that goes away during the broadcast is skipped rather than called.
    const std::vector<CView*> views = m_views;
    for (CView* view : views) {
        if (view != pSender && std::find(m_views.begin(), m_views.end(), view) != m_views.end()) {
            view->OnUpdate(pSender, lHint, pHint);
        }
    }
}
