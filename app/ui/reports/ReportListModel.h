#pragma once

#include "ReportLines.h"

#include <QAbstractListModel>
#include <QFont>

// The lines of a text report for a QListView: one row per line, shown as it is. Every row
// reports the same size (the widest line in the fixed-width font), so the view can lay out
// a report of any length at once and scroll it smoothly (set uniformItemSizes on the view).
class ReportListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit ReportListModel(QObject* parent = nullptr);

    void setFont(const QFont& font);
    void append(ReportLines lines);
    void clear();
    const ReportLines& lines() const { return m_lines; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    ReportLines m_lines;
    int m_charWidth = 8;
    int m_lineHeight = 16;
};
