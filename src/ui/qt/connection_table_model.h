#pragma once
#include <QAbstractTableModel>

#include "app/form_netrova.h"
#include "ui/qt/icon_backends.h"

namespace halvane {

// The rows of VTS as Qt sees them. Virtual: nothing is stored per cell; every text comes from
// VTSGetText and the process icon from VTSGetImageIndex when the view asks.
class ConnectionTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Role { SelectedRole = Qt::UserRole + 1 };

  ConnectionTableModel(TFormNetrova& form, const PixmapImageStore& smallImages,
                       QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The row at a display position, or null.
  ListRow* RowAt(int position) const;
  // The rows changed: announce the new count and repaint every cell, keeping the scroll place.
  void Refresh();

 private:
  TFormNetrova& form_;
  const PixmapImageStore& smallImages_;
  int shownRows_ = 0;
};

}  // namespace halvane
