#pragma once

#include "core/drawrecord.h"
#include "core/gamerules.h"
#include "core/rowsource.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

// The draw table: one row per draw, every cell a (padded) text as the list shows it, the typed
// record of each row built from those cells, and the selected flag of each row. The main window
// shows it; every analysis reads it through RowSource.
class DrawTable final : public RowSource
{
public:
    DrawTable() = default;

    // Clears all rows and columns and takes the layout of the game (RunMode 6 or 5).
    void reset(int runMode);
    void clearRows();
    int runMode() const { return m_runMode; }
    int maxNo() const { return GameRules::of(m_runMode).maxNo(); }

    int columnCount() const { return int(m_columns.size()); }
    const ColumnLayout &column(int c) const { return m_columns.at(c); }
    const QList<ColumnLayout> &columns() const { return m_columns; }
    QStringList headers() const;

    int rowCount() const override { return int(m_rows.size()); }
    bool isSelected(int row) const override { return m_selected[size_t(row)] != 0; }
    QString cellText(int row, int column) const override { return cell(row, column).toString(); }
    int number(int row, int column) const override;
    const DrawRecord *record(int row) const override { return &m_records[size_t(row)]; }
    QStringView cell(int row, int column) const;
    // Selected rows that are not valid draws (a number or the bonus not in 1..maxNo, a number
    // repeated, or a draw number an earlier row has).
    int invalidSelectedCount() const;
    // Rows that are not valid draws, selected or not.
    int invalidRowCount() const;

    // Adds a row of ready-made cell texts (column 0 first); missing cells are empty.
    void appendRow(const QList<QStringView> &cells);
    void appendRow(const QStringList &cells);
    // Adds a row from a data line of a draw-result file, padding each field into its cell.
    void appendDataLine(QStringView line);
    // Copies a row of another table with the same layout.
    void appendRowFrom(const RowSource &source, int row);
    void reserve(int rows);

    void setSelected(int row, bool selected);
    void setRangeSelected(int first, int last, bool selected);
    void setAllSelected(bool selected);
    int selectedCount() const { return m_selectedCount; }

    // Stable sort by cell text, carrying each row's selected flag along. Padded cells compare as
    // they line up on screen, so a value wider than its cell still sorts as its number.
    void sortByColumn(int column, Qt::SortOrder order);

private:
    struct Row
    {
        QString text;             // all cells back to back
        std::vector<int> bounds;  // cell c spans [bounds[c], bounds[c + 1])
    };
    void push(Row row, const DrawRecord *record);

    int m_runMode = Game::None;
    QList<ColumnLayout> m_columns;
    std::vector<Row> m_rows;
    std::vector<DrawRecord> m_records;
    std::vector<char> m_selected;
    int m_selectedCount = 0;
    QSet<qint64> m_drawNumbers;  // of the rows so far, for the repeated-draw rule
    // Reused while reading lines: a list per line was a good part of a load's time.
    QList<QStringView> m_fields;
    QList<QStringView> m_cells;
};

// Rows to select for "first n" / "last n": 0-based, inclusive; empty when last < first.
struct RowRange
{
    int first = 0;
    int last = -1;
    bool isEmpty() const { return last < first; }
};
RowRange firstRows(int rowCount, qint64 n);
RowRange lastRows(int rowCount, qint64 n);
