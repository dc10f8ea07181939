#include "core/gridexport.h"

#include "core/gridsource.h"
#include "core/tablewriter.h"

#include <QIODevice>

#include <optional>

namespace GridExport {

namespace {
// Rows between two looks at the cancel flag and two progress reports: a few milliseconds.
constexpr int kRowsPerStep = 4096;

bool writeTicket(const QList<int> &numbers, QIODevice &device)
{
    if (numbers.isEmpty())
        return true;
    QByteArray line;
    for (const int number : numbers) {
        if (!line.isEmpty())
            line += ' ';
        line += QByteArray::number(number);
    }
    line += "\r\n";
    return device.write(line) == line.size();
}
} // namespace

bool write(const GridSource &grid, Form form, QIODevice &device, const Options &options)
{
    std::optional<TableWriter> table;
    if (form != Form::Tickets)
        table.emplace(&device, form == Form::Csv ? TableWriter::Format::Csv : TableWriter::Format::Tsv);
    const int rows = grid.rows();
    const int columns = grid.columns();
    for (int r = table ? 0 : 1; r < rows; ++r) {
        if (r % kRowsPerStep == 0) {
            if (options.cancel && options.cancel->load(std::memory_order_relaxed))
                return false;
            if (options.progress)
                options.progress(r, rows);
        }
        if (!table) {
            if (!writeTicket(grid.ticketNumbers(r), device))
                return false;
            continue;
        }
        for (int c = 0; c < columns; ++c)
            table->addCell(grid.text(r, c).trimmed());
        table->endRow();
        if (!table->ok())
            return false;
    }
    return true;
}

} // namespace GridExport
