#include "framework/CFormView.h"

#include <QScrollArea>
#include <QVBoxLayout>

CFormView::CFormView(const DialogTemplate& dialogTemplate, QWidget* parent)
    : CView(parent), m_scrollArea(new QScrollArea(this)), m_page(new QWidget),
      m_controls(dialogTemplate, m_page) {
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    // A click still makes the pane itself the active one.
    m_scrollArea->setFocusPolicy(Qt::NoFocus);
    m_scrollArea->setWidgetResizable(true);
    m_page->setMinimumSize(m_controls.Extent());
    m_scrollArea->setWidget(m_page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scrollArea);
}

void CFormView::UpdateData(bool bSaveAndValidate) {
    if (!bSaveAndValidate) {
        DoDataExchange();
        // A figure box may have grown past the template's edge: it can be scrolled to as well.
        m_page->setMinimumSize(m_controls.Extent());
    }
}
