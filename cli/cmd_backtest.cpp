#include "cli.h"

#include "combinations/patternfile.h"
#include "core/drawrecord.h"
#include "core/drawtable.h"
#include "core/gamerules.h"
#include "core/numbers.h"
#include "lookups/backtest.h"
#include "lookups/backtesttext.h"

#include <QRegularExpression>

#include <bit>

using namespace Qt::StringLiterals;

namespace cli {

int runBackTest(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--select"_s, u"--pattern"_s, u"--pool"_s}, {});
    args.expectPositionalCount(1, 1);
    DrawTable table;
    const int runMode = loadAnalysisSet(args, table);
    const GameRules &rules = GameRules::of(runMode);

    const PatternFile::Wheel wheel = patternOption(args).wheel;

    // Pattern position j stands for the j-th number of the pool, keys first as the list puts them.
    QList<int> pool;
    for (const QString &part : args.required(u"--pool"_s).split(QRegularExpression(u"[\\s,]+"_s), Qt::SkipEmptyParts)) {
        const std::optional<qint64> n = parseNumber(part);
        if (!n || *n < 1 || *n > rules.maxNo())
            throw UsageError{u"--pool takes numbers from 1 to "_s + QString::number(rules.maxNo())};
        if (pool.contains(int(*n)))
            throw UsageError{u"--pool names "_s + part + u" twice"_s};
        pool.append(int(*n));
    }
    if (pool.size() != wheel.pool)
        throw UsageError{u"--pool needs %1 numbers, one for each position of the pattern"_s.arg(wheel.pool)};
    std::vector<quint64> tickets;
    for (const quint64 positions : wheel.tickets) {
        quint64 ticket = 0;
        for (int j = 0; j < wheel.pool; ++j) {
            if ((positions >> j) & 1u)
                ticket |= numberBit(pool[j]);
        }
        if (std::popcount(ticket) != rules.picks())
            throw Refused{u"パターンの口は %1 個の数字ではありません。"_s.arg(rules.picks())};
        tickets.push_back(ticket);
    }

    const std::optional<BackTest::Result> result = BackTest::run(table, runMode, tickets);
    if (!result)
        return 1;
    // The list as every list of the tool prints it: its hidden column 0 left out.
    QList<QStringList> rows;
    for (const BackTest::Draw &draw : result->draws)
        rows.append(QStringList{QString()} + BackTestText::cells(*result, draw));
    out.section(u"FormBackTest"_s, u"ListView1"_s);
    out.list(QStringList{QString()} + BackTestText::headers(runMode), rows);
    out.section(u"FormBackTest"_s, u"Label1"_s);
    for (const QString &line : BackTestText::summary(*result))
        out.line(line);
    return 0;
}

} // namespace cli
