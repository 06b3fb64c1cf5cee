#pragma once

#include <QAbstractTableModel>
#include <QIcon>

#include <array>

#include "measure/ListImage.h"
#include "measure/MemoryRowStore.h"

// The rows of the contents list, kept here in full from the moment they are inserted. Views
// learn of new rows only when ShowNewRows merges everything inserted since its last call into
// one announcement, so a fill costs a view a few relayouts instead of one per row.
class ContentsListModel : public QAbstractTableModel, public measure::RowStore {
public:
    enum Column { kName, kSize, kSizeBytes, kRatio, kDate, kColumnCount };

    explicit ContentsListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int RowCount() const override { return m_rows.RowCount(); }
    const measure::ListRow& Row(int index) const override { return m_rows.Row(index); }
    int InsertRow(int index, const measure::ListRow& row) override;
    void SetImage(int index, int image) override;
    void SetRatioTotal(std::uint64_t total) override;

    void DeleteAllRows();
    // Announces the rows inserted since the last call, and every row shown before as changed:
    // insertions in between may have moved them, and images and ratios are set late.
    void ShowNewRows();

private:
    measure::MemoryRowStore m_rows;
    int m_shownRows = 0;
    std::array<QIcon, measure::kListImageCount> m_images;
};
