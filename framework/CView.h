#pragma once

#include <QWidget>

#include "framework/CCmdTarget.h"

class CDocument;
class CFrameWnd;

// A pane of the main window that shows the document. The frame makes a view the active one
// when it or one of its children gets the focus; commands go to the active view first.
class CView : public QWidget, public CCmdTarget {
public:
    explicit CView(QWidget* parent = nullptr);
    ~CView() override;

    // Attaches the view to the document; the attach order is the broadcast order.
    void AttachDocument(CDocument* document);
    void DetachDocument() { m_document = nullptr; }
    CDocument* GetDocument() const { return m_document; }
    CFrameWnd* GetParentFrame() const;

    // The first update after the frame is built: by default an update with no sender.
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, long lHint, CObject* pHint);

private:
    CDocument* m_document = nullptr;
};
