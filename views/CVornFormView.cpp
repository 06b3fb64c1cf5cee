#include "views/CVornFormView.h"

#include "resources/ResourceIds.h"
#include "resources/Resources.h"

#include <string>

#include "views/PaneDescription.h"

CVornFormView::CVornFormView(platform::Drives& drives, QWidget* parent)
    : CVornPaneView<CFormView>(resources::LoadDialogTemplate(IDD_DISK_FIGURES), parent),
      m_drives(drives) {
    DescribePane(this, IDS_DISK_FIGURES_PANE);
}

void CVornFormView::OnInitialUpdate() {
    CFormView::OnInitialUpdate();
    UpdateDiskFigures();
}

void CVornFormView::OnUpdate(CView* pSender, long lHint, CObject*) {
    if (pSender) {
        UpdateDiskFigures();
        m_strSelectedSize = FormatNumber(0);
    } else if (lHint == HINT_SELECTION_CHANGED) {
        m_strSelectedSize = FormatNumber(GetDocument()->GetSelectedTotal());
    } else if (lHint == HINT_AFTER_DELETE) {
        UpdateDiskFigures();
        m_strSelectedSize = FormatNumber(0);
    }
    UpdateData(false);
}

void CVornFormView::DoDataExchange() {
    DDX_Text(IDC_DISK_TOTAL, m_strDiskTotal);
    DDX_Text(IDC_DISK_FREE, m_strDiskFree);
    DDX_Text(IDC_CURRENT_TOTAL, m_strCurrentTotal);
    DDX_Text(IDC_SELECTED_SIZE, m_strSelectedSize);
}

void CVornFormView::UpdateDiskFigures() {
    platform::_diskfree_t figures;
    // A drive that cannot be queried shows zeros rather than figures of no meaning.
    if (m_drives._getdiskfree(m_drives._getdrive(), figures) != 0) {
        figures = {};
    }
    const std::uint64_t cluster = figures.bytes_per_sector * figures.sectors_per_cluster;
    m_strDiskTotal = FormatNumber(cluster * figures.total_clusters);
    m_strDiskFree = FormatNumber(cluster * figures.avail_clusters);
    m_strCurrentTotal = FormatNumber(GetDocument()->GetCurrentTotal());
    UpdateData(false);
}

QString CVornFormView::FormatNumber(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    const std::size_t firstGroup = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    std::string grouped = digits.substr(0, firstGroup);
    for (std::size_t at = firstGroup; at < digits.size(); at += 3) {
        grouped += ',';
        grouped += digits.substr(at, 3);
    }
    return QString::fromStdString(grouped);
}
