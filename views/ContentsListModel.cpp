#include "views/ContentsListModel.h"

#include "measure/CellText.h"
#include "measure/DateText.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "views/DisplayName.h"

namespace {

unsigned ImageBitmap(int image) {
    return image == 0 ? IDB_LIST_IMAGE_0 : IDB_LIST_IMAGE_1 + unsigned(image - 1);
}

Qt::Alignment ColumnAlignment(int column) {
    const bool right = column == ContentsListModel::kSize ||
                       column == ContentsListModel::kSizeBytes ||
                       column == ContentsListModel::kRatio;
    return (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

} // namespace

ContentsListModel::ContentsListModel(QObject* parent) : QAbstractTableModel(parent) {
    for (int image = 0; image < measure::kListImageCount; ++image) {
        m_images[std::size_t(image)] = resources::LoadBitmapIcon(ImageBitmap(image));
    }
}

int ContentsListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shownRows;
}

int ContentsListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ContentsListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_shownRows) {
        return {};
    }
    const measure::ListRow& row = m_rows.Row(index.row());
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(ColumnAlignment(index.column()));
    }
    if (role == Qt::DecorationRole && index.column() == kName) {
        return m_images[std::size_t(row.image)];
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    switch (index.column()) {
    case kName:
        return DisplayName(row.name);
    case kSize:
        return QString::fromStdString(measure::SizeText(measure::KilobytesOf(row.size)));
    case kSizeBytes:
        return QString::fromStdString(measure::ByteText(row.size));
    case kRatio:
        return QString::fromStdString(m_rows.RatioCell(index.row()));
    case kDate:
        return QString::fromStdString(measure::DateText(row.writeTime));
    default:
        return {};
    }
}

QVariant ContentsListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const std::array<QString, kColumnCount> titles{
        QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Size(Byte)"),
        QStringLiteral("Ratio"), QStringLiteral("Date")};
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return titles[std::size_t(section)];
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(ColumnAlignment(section));
    }
    return {};
}

int ContentsListModel::InsertRow(int index, const measure::ListRow& row) {
    return m_rows.InsertRow(index, row);
}

void ContentsListModel::SetImage(int index, int image) {
    m_rows.SetImage(index, image);
}

void ContentsListModel::SetRatioTotal(std::uint64_t total) {
    m_rows.SetRatioTotal(total);
}

void ContentsListModel::DeleteAllRows() {
    beginResetModel();
    m_rows.Clear();
    m_shownRows = 0;
    endResetModel();
}

void ContentsListModel::ShowNewRows() {
    const int shownBefore = m_shownRows;
    if (m_rows.RowCount() > shownBefore) {
        beginInsertRows({}, shownBefore, m_rows.RowCount() - 1);
        m_shownRows = m_rows.RowCount();
        endInsertRows();
    }
    if (shownBefore > 0) {
        emit dataChanged(index(0, 0), index(shownBefore - 1, kColumnCount - 1));
    }
}
