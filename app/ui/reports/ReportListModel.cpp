#include "ReportListModel.h"

#include <QFontMetrics>
#include <QSize>

ReportListModel::ReportListModel(QObject* parent) : QAbstractListModel(parent) {}

void ReportListModel::setFont(const QFont& font) {
    const QFontMetrics metrics(font);
    m_charWidth = metrics.horizontalAdvance(QLatin1Char('M'));
    m_lineHeight = metrics.height();
}

void ReportListModel::append(ReportLines lines) {
    if (lines.isEmpty())
        return;
    const qsizetype widest = m_lines.widest();
    beginInsertRows(QModelIndex(), int(m_lines.size()), int(m_lines.size() + lines.size() - 1));
    const qsizetype added = lines.size();
    if (m_lines.isEmpty())
        m_lines = std::move(lines); // a long report is not copied
    else
        m_lines.append(lines);
    endInsertRows();
    if (m_lines.widest() != widest && m_lines.size() > added)
        emit dataChanged(index(0), index(int(m_lines.size() - 1)), {Qt::SizeHintRole});
}

void ReportListModel::clear() {
    beginResetModel();
    m_lines.clear();
    endResetModel();
}

int ReportListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant ReportListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_lines.at(index.row());
    case Qt::SizeHintRole:
        return QSize(int(m_lines.widest() + 2) * m_charWidth, m_lineHeight + 2);
    default:
        return {};
    }
}
