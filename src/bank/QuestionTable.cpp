#include "QuestionTable.h"

#include "common/GbkCodec.h"

#include <QThread>

QuestionTable::QuestionTable(Layout layout, QObject* parent) : QAbstractTableModel(parent), m_layout(layout) {}

int QuestionTable::appendRow()
{
    int index = 0;
    runOnOwnerThread([&] {
        index = static_cast<int>(m_rows.size());
        beginInsertRows({}, index, index);
        {
            QWriteLocker locker(&m_lock);
            m_rows.emplace_back();
        }
        endInsertRows();
    });
    return index;
}

void QuestionTable::appendRows(std::vector<QuestionRow> rows)
{
    if (rows.empty())
        return;
    runOnOwnerThread([&] {
        const int first = static_cast<int>(m_rows.size());
        beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        {
            QWriteLocker locker(&m_lock);
            m_rows.reserve(m_rows.size() + rows.size());
            for (QuestionRow& row : rows)
                m_rows.push_back(cellsOf(std::move(row)));
        }
        endInsertRows();
    });
}

void QuestionTable::setCell(int row, int column, std::string text)
{
    runOnOwnerThread([&] {
        if (row < 0 || row >= static_cast<int>(m_rows.size()) || column < 0 || column >= columns)
            return;
        {
            QWriteLocker locker(&m_lock);
            m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)] = std::move(text);
        }
        const QModelIndex changed = index(row, column);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    });
}

std::string QuestionTable::cellText(int row, int column) const
{
    QReadLocker locker(&m_lock);
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || column < 0 || column >= columns)
        return {};
    return m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

int QuestionTable::findRow(int column, std::string_view text) const
{
    QReadLocker locker(&m_lock);
    if (column < 0 || column >= columns)
        return -1;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i][static_cast<size_t>(column)] == text)
            return static_cast<int>(i);
    }
    return -1;
}

void QuestionTable::deleteAllRows()
{
    runOnOwnerThread([&] {
        beginResetModel();
        {
            QWriteLocker locker(&m_lock);
            m_rows.clear();
            m_rows.shrink_to_fit();
        }
        endResetModel();
    });
}

QuestionRow QuestionTable::row(int index) const
{
    QReadLocker locker(&m_lock);
    if (index < 0 || index >= static_cast<int>(m_rows.size()))
        return {};
    return rowOf(m_rows[static_cast<size_t>(index)]);
}

std::vector<QuestionRow> QuestionTable::rows() const
{
    QReadLocker locker(&m_lock);
    std::vector<QuestionRow> result;
    result.reserve(m_rows.size());
    for (const Cells& cells : m_rows)
        result.push_back(rowOf(cells));
    return result;
}

int QuestionTable::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    QReadLocker locker(&m_lock);
    return static_cast<int>(m_rows.size());
}

int QuestionTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns;
}

QVariant QuestionTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return fromGbk(cellText(index.row(), index.column()));
}

QVariant QuestionTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const std::array<QString, columns> standard = {QStringLiteral("编号"), QStringLiteral("题目"), QStringLiteral("答案"), QStringLiteral("答案正确")};
    static const std::array<QString, columns> search = {QStringLiteral("编号"), QStringLiteral("题目"), QStringLiteral("答案正确"), QStringLiteral("答案")};
    return (m_layout == Layout::Standard ? standard : search)[static_cast<size_t>(section)];
}

QuestionTable::Cells QuestionTable::cellsOf(QuestionRow row) const
{
    if (m_layout == Layout::Search)
        return {std::move(row.number), std::move(row.question), std::move(row.answer), std::move(row.options)};
    return {std::move(row.number), std::move(row.question), std::move(row.options), std::move(row.answer)};
}

QuestionRow QuestionTable::rowOf(const Cells& cells) const
{
    if (m_layout == Layout::Search)
        return {cells[0], cells[1], cells[3], cells[2]};
    return {cells[0], cells[1], cells[2], cells[3]};
}

void QuestionTable::runOnOwnerThread(const std::function<void()>& change)
{
    if (QThread::currentThread() == thread())
        change();
    else
        QMetaObject::invokeMethod(this, change, Qt::BlockingQueuedConnection);
}
