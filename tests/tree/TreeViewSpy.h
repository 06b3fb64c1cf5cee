#pragma once

#include <functional>

#include "SpyView.h"

// A spy that also lets a test look at the panes while each update is delivered, as the
// contents list would when it reads the working directory.
class TreeViewSpy : public SpyView {
public:
    void OnUpdate(CView* pSender, long lHint, CObject* pHint) override {
        SpyView::OnUpdate(pSender, lHint, pHint);
        if (onUpdate) {
            onUpdate(updates.back());
        }
    }

    std::function<void(const Update&)> onUpdate;
};
