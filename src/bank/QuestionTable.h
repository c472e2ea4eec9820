#pragma once

#include "QuestionRow.h"

#include <QAbstractTableModel>
#include <QReadWriteLock>

#include <array>
#include <functional>
#include <string>
#include <vector>

// A question table of the window: four text columns over a vector of rows, shown through a
// table view. Cells hold GBK bytes; the view sees them through the codec.
//
// Every operation may be called from any thread. Changes are carried out on the thread the
// model lives on (the window's thread) and are complete when the call returns; reads from
// other threads take a shared lock.
class QuestionTable final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QuestionTable)

public:
    // The bank and wrong-answer lists hold number, question, options, answer; the search
    // list shows the answer before the options.
    enum class Layout { Standard, Search };
    static constexpr int columns = 4;

    explicit QuestionTable(Layout layout, QObject* parent = nullptr);

    Layout layout() const { return m_layout; }

    // Appends a row of empty cells; returns its index.
    int appendRow();
    // Appends all rows in one insert.
    void appendRows(std::vector<QuestionRow> rows);
    // A row or column that does not exist is ignored.
    void setCell(int row, int column, std::string text);
    // The empty text for a row or column that does not exist.
    std::string cellText(int row, int column) const;
    // The index of the first row whose cell in the column equals the text exactly, or -1.
    int findRow(int column, std::string_view text) const;
    void deleteAllRows();

    QuestionRow row(int index) const;
    std::vector<QuestionRow> rows() const;

    // QAbstractTableModel; rowCount() with no argument is the table's row count.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // The row field shown in a column, or nullptr for a column that does not exist.
    std::string QuestionRow::*fieldOf(int column) const;
    void runOnOwnerThread(const std::function<void()>& change);

    const Layout m_layout;
    mutable QReadWriteLock m_lock;
    std::vector<QuestionRow> m_rows; // guarded by m_lock; written only on the owner thread
};
