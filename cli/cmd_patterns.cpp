#include "cli.h"

#include "combinations/patternconvert.h"
#include "combinations/patternfile.h"
#include "combinations/patternmanager.h"
#include "combinations/patternverify.h"
#include "combinations/wheelgenerator.h"
#include "core/appfiles.h"
#include "core/numbers.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace cli {

namespace {
QString readStandardInput()
{
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(in.readAll());
}

// The tier option as a digit: 1, 3, 4 or 5.
int tierOption(const Args &args)
{
    const QString tier = args.required(u"--tier"_s);
    if (tier != u"1" && tier != u"3" && tier != u"4" && tier != u"5")
        throw UsageError{u"--tier takes 1, 3, 4 or 5"_s};
    return tier.toInt();
}

// The convert as the manager runs it on the source typed into its box; throws Refused.
PatternConvert::Result convertInput(const Args &args)
{
    const PatternConvert::Result converted = PatternConvert::convert(readStandardInput(), args.required(u"--pool"_s));
    if (!converted.warning.isEmpty())
        throw Refused{converted.warning};
    return converted;
}

int runConvert(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--pool"_s}, {});
    args.expectPositionalCount(0, 0);
    const PatternConvert::Result converted = convertInput(args);
    out.section(u"FormPattern"_s, u"Text2"_s);
    for (const QString &line : converted.lines)
        out.line(line);
    return 0;
}

int runSave(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--dir"_s, u"--pool"_s, u"--tier"_s, u"--keys"_s}, {u"--as-guaranteed"_s});
    args.expectPositionalCount(0, 0);
    PatternManager::SaveInput input;
    input.folder = args.required(u"--dir"_s);
    input.tier = tierOption(args);
    input.keysText = args.required(u"--keys"_s);
    const PatternConvert::Result converted = convertInput(args);
    input.convertedText = converted.text();
    input.picks = converted.picks;
    input.pool = converted.pool;
    const PatternManager::SaveResult saved = PatternManager::save(input, args.has(u"--as-guaranteed"_s));
    if (!saved.saved)
        throw Refused{saved.message};
    out.line(saved.fileName);
    return 0;
}

// Prints what a pattern file guarantees: "３等" … or "なし".
int runVerify(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--game"_s, u"--keys"_s}, {});
    args.expectPositionalCount(1, 1);
    const int picks = gameOption(args);
    const std::optional<qint64> keys = parseNumber(args.value(u"--keys"_s, u"0"_s));
    if (!keys || *keys > picks)
        throw UsageError{u"--keys takes 0 to "_s + QString::number(picks)};
    const QString path = args.positional(0, u"FILE"_s);
    const QString name = QFileInfo(path).fileName();
    const AppFiles::ReadResult read = AppFiles::readFile(path);
    if (!read.ok())
        throw Refused{PatternFile::cannotOpenMessage(name)};
    const PatternFile::Wheel wheel = PatternFile::readWheel(read.bytes, name);
    if (!wheel.ok())
        throw Refused{wheel.error};
    if (const QString wrong = PatternManager::markCountRefusal(name, wheel.tickets, picks); !wrong.isEmpty())
        throw Refused{wrong};
    const std::optional<int> least = PatternVerify::leastBestMatch({picks, wheel.pool, int(*keys), wheel.tickets});
    if (!least)
        throw Refused{u"%1は確かめられません。"_s.arg(name)};
    out.line(PatternVerify::guaranteeLabel(PatternVerify::guaranteedTier(picks, *least)));
    return 0;
}

int runSummary(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--dir"_s, u"--game"_s}, {});
    args.expectPositionalCount(0, 0);
    const QString game = args.required(u"--game"_s);
    if (game != u"0" && game != u"5" && game != u"6")
        throw UsageError{u"--game takes 0, 5 or 6"_s};
    out.section(u"FormPattern"_s, u"Text5"_s);
    for (const QString &line : PatternManager::summaryLines(args.required(u"--dir"_s), game.toInt()))
        out.line(line);
    return 0;
}

int runGenerate(const QStringList &arguments, Output &out)
{
    const Args args(arguments, {u"--game"_s, u"--pool"_s, u"--tier"_s, u"--keys"_s, u"--seconds"_s}, {});
    args.expectPositionalCount(0, 0);
    PatternFolder::Request request;
    args.required(u"--game"_s);
    request.picks = gameOption(args);
    request.tier = tierOption(args);
    const std::optional<qint64> pool = parseNumber(args.required(u"--pool"_s));
    const std::optional<qint64> keys = parseNumber(args.value(u"--keys"_s, u"0"_s));
    bool secondsOk = false;
    const double seconds = args.value(u"--seconds"_s, QString::number(WheelGenerator::kDefaultSeconds)).toDouble(&secondsOk);
    if (!pool || *pool > 99 || !keys || *keys > 99)
        throw UsageError{u"--pool and --keys take whole numbers"_s};
    if (!secondsOk || !(seconds > 0) || seconds > 86400)
        throw UsageError{u"--seconds takes a positive number of seconds"_s};
    request.pool = int(*pool);
    request.keys = int(*keys);

    CoveringSearch::Options options;
    options.seconds = seconds;
    const WheelGenerator::Result result = WheelGenerator::generate(request, options);
    if (!result.plan.ok())
        throw Refused{result.plan.warning};
    out.section(u"FormPattern"_s, u"Text1"_s);
    for (const QString &line : WheelGenerator::sourceLines(result.tickets))
        out.line(line);
    return 0;
}
} // namespace

int runPattern(const QStringList &arguments, Output &out)
{
    if (arguments.isEmpty())
        throw UsageError{u"missing convert, save, verify, summary or generate"_s};
    const QString action = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (action == u"convert")
        return runConvert(rest, out);
    if (action == u"save")
        return runSave(rest, out);
    if (action == u"verify")
        return runVerify(rest, out);
    if (action == u"summary")
        return runSummary(rest, out);
    if (action == u"generate")
        return runGenerate(rest, out);
    throw UsageError{u"unknown pattern command "_s + action};
}

} // namespace cli
