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
            // A whole bank arrives in one batch into an empty list: take it over without copying.
            if (m_rows.empty())
                m_rows = std::move(rows);
            else
                m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
        }
        endInsertRows();
    });
}

void QuestionTable::setCell(int row, int column, std::string text)
{
    runOnOwnerThread([&] {
        const auto field = fieldOf(column);
        if (row < 0 || row >= static_cast<int>(m_rows.size()) || !field)
            return;
        {
            QWriteLocker locker(&m_lock);
            m_rows[static_cast<size_t>(row)].*field = std::move(text);
        }
        const QModelIndex changed = index(row, column);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    });
}

std::string QuestionTable::cellText(int row, int column) const
{
    const auto field = fieldOf(column);
    QReadLocker locker(&m_lock);
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || !field)
        return {};
    return m_rows[static_cast<size_t>(row)].*field;
}

int QuestionTable::findRow(int column, std::string_view text) const
{
    const auto field = fieldOf(column);
    if (!field)
        return -1;
    QReadLocker locker(&m_lock);
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].*field == text)
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
    return m_rows[static_cast<size_t>(index)];
}

std::vector<QuestionRow> QuestionTable::rows() const
{
    QReadLocker locker(&m_lock);
    return m_rows;
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

std::string QuestionRow::*QuestionTable::fieldOf(int column) const
{
    // The search list shows the answer before the options.
    static constexpr std::array<std::string QuestionRow::*, columns> standard
        = {&QuestionRow::number, &QuestionRow::question, &QuestionRow::options, &QuestionRow::answer};
    static constexpr std::array<std::string QuestionRow::*, columns> search
        = {&QuestionRow::number, &QuestionRow::question, &QuestionRow::answer, &QuestionRow::options};
    if (column < 0 || column >= columns)
        return nullptr;
    return (m_layout == Layout::Standard ? standard : search)[static_cast<size_t>(column)];
}

void QuestionTable::runOnOwnerThread(const std::function<void()>& change)
{
    if (QThread::currentThread() == thread())
        change();
    else
        QMetaObject::invokeMethod(this, change, Qt::BlockingQueuedConnection);
}
