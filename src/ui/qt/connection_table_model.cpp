#include "ui/qt/connection_table_model.h"

#include "view/columns.h"

namespace halvane {

ConnectionTableModel::ConnectionTableModel(TFormNetrova& form, const PixmapImageStore& smallImages,
                                           QObject* parent)
    : QAbstractTableModel(parent), form_(form), smallImages_(smallImages) {}

int ConnectionTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int ConnectionTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

ListRow* ConnectionTableModel::RowAt(int position) const {
  const ConnectionViewModel& view = form_.VTS();
  if (position < 0 || static_cast<std::size_t>(position) >= view.RowCount())
    return nullptr;
  return view.RowAt(static_cast<std::size_t>(position));
}

QVariant ConnectionTableModel::data(const QModelIndex& index, int role) const {
  ListRow* row = RowAt(index.row());
  if (row == nullptr)
    return {};
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(form_.VTSGetText(row, column));
    case Qt::DecorationRole: {
      const QPixmap icon = smallImages_.Pixmap(form_.VTSGetImageIndex(row, column));
      return icon.isNull() ? QVariant() : QVariant(icon);
    }
    case Qt::TextAlignmentRole: {
      const bool centred =
          ViewColumns()[static_cast<std::size_t>(column)].align == ColumnAlign::Center;
      return static_cast<int>((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    case SelectedRole:
      return row->selected;
    default:
      return {};
  }
}

QVariant ConnectionTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
    return {};
  const ColumnInfo& info = ViewColumns()[static_cast<std::size_t>(section)];
  if (role == Qt::DisplayRole)
    return QString::fromUtf8(info.caption);
  if (role == Qt::TextAlignmentRole)
    return static_cast<int>((info.align == ColumnAlign::Center ? Qt::AlignHCenter : Qt::AlignLeft) |
                            Qt::AlignVCenter);
  return {};
}

Qt::ItemFlags ConnectionTableModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void ConnectionTableModel::Refresh() {
  const int rows = static_cast<int>(form_.VTS().RowCount());
  if (rows > shownRows_) {
    beginInsertRows(QModelIndex(), shownRows_, rows - 1);
    shownRows_ = rows;
    endInsertRows();
  } else if (rows < shownRows_) {
    beginRemoveRows(QModelIndex(), rows, shownRows_ - 1);
    shownRows_ = rows;
    endRemoveRows();
  }
  if (rows > 0)
    emit dataChanged(index(0, 0), index(rows - 1, kColumnCount - 1));
}

}  // namespace halvane
