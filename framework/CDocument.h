#pragma once

#include <vector>

#include "framework/CCmdTarget.h"

class CView;

// Holds what the panes share and carries their update broadcasts. The views are kept in the
// order they were attached, which is the order every broadcast visits them.
class CDocument : public CCmdTarget {
public:
    ~CDocument() override;

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& Views() const { return m_views; }

    // Calls OnUpdate on every view but the sender, in attach order, before returning. A view
    // may broadcast again from its OnUpdate; that inner broadcast ends first.
    void UpdateAllViews(CView* pSender, long lHint = 0, CObject* pHint = nullptr);

    virtual bool OnNewDocument() { return true; }

private:
    std::vector<CView*> m_views;
};
