#include "views/CVornFormView.h"

#include <string>

#include "platform/Crt.h"
#include "views/PaneDescription.h"

namespace {

constexpr unsigned kDiskFiguresTemplate = 130;
constexpr unsigned kPaneDescription = 172;
constexpr int kDiskTotal = 1012;
constexpr int kDiskFree = 1013;
constexpr int kCurrentTotal = 1014;
constexpr int kSelectedSize = 1015;

} // namespace

CVornFormView::CVornFormView(QWidget* parent)
    : CVornPaneView<CFormView>(kDiskFiguresTemplate, parent) {
    DescribePane(this, kPaneDescription);
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
    DDX_Text(kDiskTotal, m_strDiskTotal);
    DDX_Text(kDiskFree, m_strDiskFree);
    DDX_Text(kCurrentTotal, m_strCurrentTotal);
    DDX_Text(kSelectedSize, m_strSelectedSize);
}

void CVornFormView::UpdateDiskFigures() {
    platform::_diskfree_t figures;
    // A drive that cannot be queried shows zeros rather than figures of no meaning.
    if (platform::_getdiskfree(platform::_getdrive(), figures) != 0) {
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
