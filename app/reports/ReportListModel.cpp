#include "ReportListModel.h"

#include <QFontMetrics>
#include <QSize>

ReportListModel::ReportListModel(QObject* parent) : QAbstractListModel(parent) {}

void ReportListModel::setFont(const QFont& font) {
    const QFontMetrics metrics(font);
    m_charWidth = metrics.horizontalAdvance(QLatin1Char('M'));
    m_lineHeight = metrics.height();
}

void ReportListModel::append(QStringList lines) {
    if (lines.isEmpty())
        return;
    const qsizetype widest = m_widest;
    for (const QString& line : lines)
        m_widest = std::max(m_widest, line.size());
    beginInsertRows(QModelIndex(), int(m_lines.size()), int(m_lines.size() + lines.size() - 1));
    const qsizetype added = lines.size();
    if (m_lines.isEmpty())
        m_lines = std::move(lines); // a long report is not copied
    else
        m_lines += lines;
    endInsertRows();
    if (m_widest != widest && m_lines.size() > added)
        emit dataChanged(index(0), index(int(m_lines.size() - 1)), {Qt::SizeHintRole});
}

void ReportListModel::clear() {
    beginResetModel();
    m_lines.clear();
    m_widest = 0;
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
        return QSize(int(m_widest + 2) * m_charWidth, m_lineHeight + 2);
    default:
        return {};
    }
}
