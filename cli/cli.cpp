#include "cli.h"

#include "core/appfiles.h"
#include "core/drawfile.h"
#include "core/drawtable.h"
#include "core/game.h"
#include "core/numbers.h"
#include "core/gridsource.h"
#include "core/tablewriter.h"

#include <QFileInfo>

#include <cerrno>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace cli {

Output::Output()
{
    open(QIODevice::WriteOnly);
}

void Output::section(const QString &window, const QString &control)
{
    line(u"== "_s + window + u'.' + control);
}

void Output::line(const QString &text)
{
    write(text.toUtf8() + '\n');
}

void Output::list(const QStringList &headers, const RowSource &rows, int columnCount)
{
    TableWriter tsv(this, TableWriter::Format::Tsv);
    tsv.writeRow(headers.mid(1));
    for (int r = 0; r < rows.rowCount(); ++r) {
        for (int c = 1; c < columnCount; ++c)
            tsv.addCell(rows.cellText(r, c));
        tsv.endRow();
    }
}

void Output::list(const QStringList &headers, const QList<QStringList> &rows)
{
    TableWriter tsv(this, TableWriter::Format::Tsv);
    tsv.writeRow(headers.mid(1));
    for (const QStringList &row : rows)
        tsv.writeRow(row.mid(1));
}

void Output::grid(const GridSource &grid, const std::function<bool(int row, int column)> &marked)
{
    TableWriter tsv(this, TableWriter::Format::Tsv);
    for (int r = 0; r < grid.rows(); ++r) {
        for (int c = 0; c < grid.columns(); ++c) {
            const QString cell = grid.text(r, c);
            tsv.addCell(cell.isEmpty() && marked(r, c) ? u"*"_s : cell);
        }
        tsv.endRow();
    }
}

qint64 Output::readData(char *, qint64)
{
    return -1;
}

qint64 Output::writeData(const char *data, qint64 size)
{
    m_buffer.append(data, size);
    if (m_buffer.size() > (1 << 20))
        flush();
    return size;
}

bool Output::flush()
{
    if (!m_failed) {
        const size_t size = size_t(m_buffer.size());
        m_failed = std::fwrite(m_buffer.constData(), 1, size, stdout) != size || std::fflush(stdout) != 0;
        if (m_failed)
            m_error = errno;
    }
    m_buffer.clear();
    return !m_failed;
}

Args::Args(const QStringList &arguments, const QSet<QString> &valued, const QSet<QString> &flags)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a.startsWith(u"--") && a.size() > 2) {
            QString name = a;
            QString inlineValue;
            bool hasInline = false;
            if (const qsizetype eq = a.indexOf(u'='); eq > 0) {
                name = a.left(eq);
                inlineValue = a.mid(eq + 1);
                hasInline = true;
            }
            if (valued.contains(name)) {
                if (hasInline) {
                    m_values.insert(name, inlineValue);
                } else {
                    if (i + 1 >= arguments.size())
                        throw UsageError{u"option "_s + name + u" needs a value"_s};
                    m_values.insert(name, arguments[++i]);
                }
            } else if (flags.contains(name) && !hasInline) {
                m_flags.insert(name);
            } else {
                throw UsageError{u"unknown option "_s + a};
            }
        } else {
            m_positional.append(a);
        }
    }
}

QString Args::positional(int i, const QString &what) const
{
    if (i >= m_positional.size())
        throw UsageError{u"missing "_s + what};
    return m_positional[i];
}

QString Args::value(const QString &option, const QString &fallback) const
{
    return m_values.value(option, fallback);
}

QString Args::required(const QString &option) const
{
    if (!has(option))
        throw UsageError{u"missing "_s + option};
    return value(option);
}

int Args::choice(const QString &option, const QList<std::pair<QString, int>> &names) const
{
    const QString given = value(option);
    QStringList listed;
    for (const auto &[name, result] : names) {
        if (name == given)
            return result;
        listed.append(name);
    }
    const QString last = listed.takeLast();
    throw UsageError{option + u" takes "_s + listed.join(u", "_s) + u" or "_s + last};
}

int gameOption(const Args &args)
{
    return args.choice(u"--game"_s, {{u"loto6"_s, Game::Loto6}, {u"miniloto"_s, Game::MiniLoto}});
}

void Args::expectPositionalCount(int min, int max) const
{
    if (m_positional.size() < min)
        throw UsageError{u"missing argument"_s};
    if (max >= 0 && m_positional.size() > max)
        throw UsageError{u"unexpected argument "_s + m_positional[max]};
}

PatternInput patternOption(const Args &args)
{
    if (!args.has(u"--pattern"_s))
        throw UsageError{u"missing --pattern"_s};
    const QString path = args.value(u"--pattern"_s);
    const QString name = QFileInfo(path).fileName();
    const AppFiles::ReadResult read = AppFiles::readFile(path);
    if (!read.ok())
        throw Refused{PatternFile::cannotOpenMessage(name)};
    PatternInput input{read.bytes, PatternFile::readWheel(read.bytes, name)};
    if (!input.wheel.ok())
        throw Refused{input.wheel.error};
    return input;
}

void loadDrawTable(const QString &path, DrawTable &table, int *runMode)
{
    const DrawFile::Result result = DrawFile::read(path, table);
    if (!result.ok())
        throw Refused{DrawFile::refusedMessage()};
    if (runMode)
        *runMode = result.runMode;
    table.setAllSelected(true);
}

void applySelection(DrawTable &table, const QString &choice)
{
    if (choice.isEmpty() || choice == u"all") {
        table.setAllSelected(true);
        return;
    }
    const qsizetype colon = choice.indexOf(u':');
    const QString kind = choice.left(colon);
    const std::optional<qint64> n = colon < 0 ? std::nullopt : parseNumber(QStringView(choice).mid(colon + 1));
    if (!n || (kind != u"first" && kind != u"last"))
        throw UsageError{u"--select takes all, first:N or last:N"_s};
    const RowRange range = kind == u"first" ? firstRows(table.rowCount(), *n) : lastRows(table.rowCount(), *n);
    table.setAllSelected(false);
    if (!range.isEmpty())
        table.setRangeSelected(range.first, range.last, true);
}

int loadAnalysisSet(const Args &args, DrawTable &table)
{
    int runMode = 0;
    loadDrawTable(args.positional(0, u"FILE"_s), table, &runMode);
    applySelection(table, args.value(u"--select"_s));
    return runMode;
}

QList<CommandInfo> commands()
{
    return {
        {u"load"_s, u"load FILE [--select all|first:N|last:N]"_s, runLoad},
        {u"freq"_s, u"freq FILE --columns with-bonus|without-bonus|bonus [--select ...]"_s, runFreq},
        {u"trend"_s,
         u"trend FILE --columns with-bonus|without-bonus|bonus --numbers \"N ...\" [--rates] [--window W] [--final] [--select ...]"_s,
         runTrend},
        {u"check"_s, u"check FILE N... [--select all|first:N|last:N]"_s, runCheck},
        {u"search"_s, u"search FILE --mode or|and|not TEXT [--select all|first:N|last:N]"_s, runSearch},
        {u"tally"_s, u"tally FILE [--tiers 12345] [--merge] [--amount N] [--select all|first:N|last:N]"_s, runTally},
        {u"combos"_s, u"combos --game loto6|miniloto --pool \"N ...\" [--keys C] [--rows R] [--patterns DIR]"_s,
         runCombos},
        {u"guarantee"_s, u"guarantee --game loto6|miniloto --pattern FILE"_s, runGuarantee},
        {u"purchases"_s, u"purchases FILE HISTORY [--resave OUT]"_s, runPurchases},
        {u"date"_s, u"date FILE N"_s, runDate},
        {u"pattern"_s,
         u"pattern convert --pool N | save --dir DIR --pool N --tier T --keys C [--as-guaranteed] | "
         u"verify --game loto6|miniloto [--keys C] FILE | summary --dir DIR --game 0|5|6 | "
         u"generate --game loto6|miniloto --pool N --tier T [--keys C] [--seconds S]"_s,
         runPattern},
        {u"backtest"_s, u"backtest FILE --pattern PATFILE --pool \"N ...\" [--select all|first:N|last:N]"_s, runBackTest},
        {u"update"_s,
         u"update --site URL|DIR --data-dir DIR [--trust-key FILE] [--download-dir DIR] [--download] [--stall-ms MS]"_s,
         runUpdate},
        {u"site"_s,
         u"site keygen --out KEYFILE | build [--draws DIR] [--patterns DIR] [--help DIR] "
         u"[--program FILE --version V --notes TEXT] [--message TEXT] --key KEYFILE --out SITE"_s,
         runSite},
    };
}

} // namespace cli
