#include "views/CVornListView.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "dialogs/CProgressDlg.h"
#include "dialogs/CSizeShortDlg.h"
#include "document/CVornDoc.h"
#include "document/FolderRequest.h"
#include "document/Hints.h"
#include "measure/ListFiller.h"
#include "resources/ResourceIds.h"
#include "views/ContentsListModel.h"
#include "views/DisplayName.h"
#include "views/PaneDescription.h"

namespace {

constexpr std::array<int, ContentsListModel::kColumnCount> kColumnWidths{180, 95, 0, 60, 125};
constexpr int kImageWidth = 32;
constexpr int kImageHeight = 16;

} // namespace

CVornListView::CVornListView(DeleteItems deleteItems, QWidget* parent,
                             const platform::FolderCalls& calls)
    : CVornPaneView<CView>(parent), m_calls(calls) {
    CreateListCtrl();
    MapCommand(ID_DELETE_ITEMS, [this, deleteItems] { deleteItems(*this); });
}

void CVornListView::CreateListCtrl() {
    m_model = new ContentsListModel(this);
    m_list = new QTreeView(this);
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSortingEnabled(false);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setIconSize(QSize(kImageWidth, kImageHeight));
    // The selection shows only while the list has the focus.
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Base));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Text));
    m_list->setPalette(palette);

    QHeaderView* header = m_list->header();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(0);
    for (int column = 0; column < ContentsListModel::kColumnCount; ++column) {
        header->resizeSection(column, kColumnWidths[std::size_t(column)]);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setFocusProxy(m_list);
    DescribePane(m_list, IDS_LIST_PANE);

    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CVornListView::OnItemchanged);
    connect(m_list, &QAbstractItemView::doubleClicked, this, &CVornListView::OnDblclk);
}

int CVornListView::RowCount() const {
    return m_model->RowCount();
}

const measure::ListRow& CVornListView::Row(int index) const {
    return m_model->Row(index);
}

std::vector<int> CVornListView::SelectedRows() const {
    std::vector<int> rows;
    for (const QItemSelectionRange& range : m_list->selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(row);
        }
    }
    // A row selected across several column ranges is listed once.
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void CVornListView::OnUpdate(CView* pSender, long, CObject*) {
    if (!pSender) {
        return;
    }
    m_model->DeleteAllRows();
    FillList();
}

void CVornListView::FillList() {
    m_nFolderCount = 0;
    measure::ListFiller filler(*m_model, *GetDocument(), m_calls);
    {
        CProgressDlg progress;
        progress.m_strText = QStringLiteral("ﾌｫﾙﾀﾞ及びﾌｧｲﾙを検索中です．．．");
        // New rows reach the view only when events are let through, when it could paint them:
        // a view told of each row would lay itself out again for every one.
        connect(&progress, &CProgressDlg::Pumping, m_model, &ContentsListModel::ShowNewRows);
        progress.Create();
        platform::Meanwhile pump([&progress] { progress.PumpMessages(); });
        filler.Fill([&progress] { progress.StepIt(); }, pump);
        m_model->ShowNewRows();
        m_nFolderCount = filler.FolderCount();
    }
    // Figures that fall short are never shown as if they were whole.
    if (!filler.Complete()) {
        CSizeShortDlg notice;
        notice.m_strName = DisplayName(filler.ShortName());
        notice.DoModal();
    }
}

void CVornListView::OnItemchanged() {
    std::uint64_t sum = 0;
    for (int row : SelectedRows()) {
        sum += Row(row).size;
    }
    GetDocument()->SetSelectedTotal(sum);
    GetDocument()->UpdateAllViews(nullptr, HINT_SELECTION_CHANGED);
}

void CVornListView::OnDblclk() {
    const std::vector<int> selected = SelectedRows();
    if (selected.empty() || selected.front() >= m_nFolderCount) {
        return;
    }
    const measure::ListRow& row = Row(selected.front());
    // The broadcast refills this list, so the request keeps its own copy of the name.
    FolderRequest request{std::string(row.name)};
    GetDocument()->UpdateAllViews(this, row.itemData, &request);
}
