#pragma once

#include "framework/CView.h"
#include "views/CVornPaneView.h"

// The pie chart of the current folder: one wedge per chart slot of the document, in the slot
// colours that the contents list's images also show. Drawn afresh from the document at every
// repaint; it keeps nothing of its own.
class CVornView : public CVornPaneView<CView> {
public:
    explicit CVornView(QWidget* parent = nullptr);

    void OnUpdate(CView* pSender, long lHint, CObject* pHint) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawPie();
};
