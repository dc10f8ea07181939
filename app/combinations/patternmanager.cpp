#include "combinations/patternmanager.h"

#include "combinations/patternfile.h"
#include "combinations/patternfolder.h"
#include "core/appfiles.h"
#include "core/combinatorics.h"
#include "core/gamerules.h"
#include "core/numbers.h"
#include "core/textlines.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <bit>
#include <functional>
#include <map>
#include <tuple>

using namespace Qt::StringLiterals;

namespace PatternManager {

namespace {

SaveResult refused(const QString &message)
{
    SaveResult result;
    result.message = message;
    return result;
}

SaveCheck refusedCheck(const QString &message)
{
    SaveCheck check;
    check.refusal = message;
    return check;
}

// The game label of a pick count.
QString gameLabel(int picks)
{
    const GameRules &rules = GameRules::of(picks);
    return rules.isGame() ? rules.name() + u' ' : QString();
}

const QString kConverted = u"変換後のテキスト"_s;

// "2、5行目": the 1-based numbers of the tickets that `wrong` takes; a long run is cut short.
QString wrongLines(const std::vector<quint64> &tickets, const std::function<bool(size_t)> &wrong)
{
    constexpr int kShown = 10;
    QStringList numbers;
    for (size_t i = 0; i < tickets.size(); ++i) {
        if (!wrong(i))
            continue;
        if (numbers.size() == kShown) {
            numbers.last() += u'…';
            break;
        }
        numbers.append(QString::number(i + 1));
    }
    return numbers.isEmpty() ? QString() : numbers.join(u'、') + u"行目"_s;
}

// Repeated tickets, named by line, and key positions missing from a ticket: a repeated ticket
// is money spent twice, one without the keys misses the draws the file name promises.
QString wheelRefusal(const std::vector<quint64> &tickets, int keys)
{
    QSet<quint64> seen;
    const QString repeated = wrongLines(tickets, [&](size_t i) {
        const bool again = seen.contains(tickets[i]);
        seen.insert(tickets[i]);
        return again;
    });
    if (!repeated.isEmpty())
        return u"%1の%2は前の行と同じです（同じ口を2回買うことになります）。"_s.arg(kConverted, repeated);
    const quint64 keyMask = Combinatorics::firstPositions(keys);
    const QString keyless = wrongLines(tickets, [&](size_t i) { return (tickets[i] & keyMask) != keyMask; });
    if (!keyless.isEmpty()) {
        const QString positions = keys == 1 ? u"位置1"_s : u"位置1～%1"_s.arg(keys);
        return u"%1の%2にKey数字（%3）がそろっていません。"_s.arg(kConverted, keyless, positions);
    }
    return {};
}

} // namespace

int tierOfOption(int optionIndex)
{
    static constexpr int tiers[] = {1, 3, 4, 5};
    return optionIndex >= 0 && optionIndex < 4 ? tiers[optionIndex] : 0;
}

PatternFolder::Request generatorRequest(int picks, int tierOption, const QString &poolText, const QString &keysText)
{
    const auto count = [](const QString &typed) {
        const QString text = typed.trimmed();
        if (text.isEmpty())
            return 0;
        const std::optional<qint64> value = parseNumber(text);
        return value ? int(std::min<qint64>(*value, 100)) : -1;
    };
    return {picks, tierOfOption(tierOption), count(poolText), count(keysText)};
}

QString markCountRefusal(const QString &where, const std::vector<quint64> &tickets, int picks)
{
    const QString lines = wrongLines(tickets, [&](size_t i) { return std::popcount(tickets[i]) != picks; });
    return lines.isEmpty() ? QString() : u"%1の%2の「1」が%3個ではありません。"_s.arg(where, lines).arg(picks);
}

SaveCheck check(const SaveInput &input)
{
    // The body: the ticket lines with CR LF line ends, exactly one after the last line.
    QStringList lines;
    for (TextLines<QStringView> text(input.convertedText); !text.atEnd();) {
        if (const QStringView line = text.next(); !line.isEmpty())
            lines.append(line.toString());
    }
    if (lines.isEmpty())
        return refusedCheck(u"変換後のテキストがありません。変換してから保存してください。"_s);
    SaveCheck check;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const bool binary = std::all_of(line.begin(), line.end(), [](QChar c) { return c == u'0' || c == u'1'; });
        if (line.size() != input.pool || !binary || input.pool > PatternFile::kMaxPositions)
            return refusedCheck(u"変換後のテキストの%1行目が選択数 %2 の「0」「1」の行ではありません。"_s.arg(i + 1).arg(input.pool));
        quint64 ticket = 0;
        for (qsizetype j = 0; j < line.size(); ++j)
            ticket |= quint64(line[j] == u'1') << j;
        check.tickets.push_back(ticket);
    }
    if (input.picks != 5 && input.picks != 6)
        return refusedCheck(u"1行目の数字の数（%1個）はLOTO6の6個でもminiLOTOの5個でもありません。"_s.arg(input.picks));
    if (input.tier != 1 && input.tier != 3 && input.tier != 4 && input.tier != 5)
        return refusedCheck(u"保証する等級を選んでください。"_s);
    qint64 keys = 0;
    if (const QString typed = input.keysText.trimmed(); !typed.isEmpty()) {
        const std::optional<qint64> value = parseNumber(typed);
        if (!value || *value > input.picks)
            return refusedCheck(u"Key数字数は0から%1までの数字で入力してください。"_s.arg(input.picks));
        keys = *value;
    }
    const QFileInfo folder(input.folder);
    if (input.folder.isEmpty() || !folder.isDir())
        return refusedCheck(u"パターンファイルのフォルダ %1 がありません。"_s.arg(QDir::toNativeSeparators(input.folder)));
    if (QString wrong = markCountRefusal(kConverted, check.tickets, input.picks); !wrong.isEmpty())
        return refusedCheck(wrong);
    if (QString wrong = wheelRefusal(check.tickets, int(keys)); !wrong.isEmpty())
        return refusedCheck(wrong);

    check.folder = input.folder;
    check.request = {input.picks, input.tier, input.pool, int(keys)};
    check.body = (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1();
    return check;
}

std::optional<PatternVerify::Verdict> verify(const SaveCheck &check, const PatternVerify::Options &options)
{
    const PatternFolder::Request &r = check.request;
    const std::optional<int> least = PatternVerify::leastBestMatch({r.picks, r.pool, r.keys, check.tickets}, options);
    if (!least)
        return std::nullopt;
    return PatternVerify::judge(r.picks, r.tier, *least);
}

SaveResult write(const SaveCheck &check, int tier)
{
    PatternFolder::Request request = check.request;
    request.tier = tier;
    // Compared in memory: nothing is written before the content is known to be new.
    for (const QString &name : PatternFolder::matchingFiles(check.folder, request)) {
        const AppFiles::ReadResult existing = AppFiles::readFile(QDir(check.folder).filePath(name));
        if (existing.ok() && existing.bytes == check.body) {
            SaveResult result = refused(name + u"と同じです。"_s);
            result.critical = true;
            return result;
        }
    }

    int serial = PatternFolder::nextSerial(check.folder, request);
    QString path = QDir(check.folder).filePath(PatternFolder::fileName(serial, request));
    // Never replace anything, whatever takes the name (a folder, a name in another letter case).
    while (QFileInfo::exists(path))
        path = QDir(check.folder).filePath(PatternFolder::fileName(++serial, request));
    // Whole or not at all: a failed write leaves no half file.
    if (!AppFiles::writeFile(path, check.body))
        return refused(u"%1 を保存できませんでした。"_s.arg(QDir::toNativeSeparators(path)));

    SaveResult result;
    result.saved = true;
    result.fileName = QFileInfo(path).fileName();
    return result;
}

SaveResult save(const SaveInput &input, bool asGuaranteed)
{
    const SaveCheck checked = check(input);
    if (!checked.ok())
        return refused(checked.refusal);
    // Checked tickets are always valid input: the verification has an answer.
    const std::optional<PatternVerify::Verdict> verified = verify(checked);
    Q_ASSERT(verified);
    const PatternVerify::Verdict &verdict = *verified;
    if (verdict.holds())
        return write(checked, checked.request.tier);
    if (!asGuaranteed || verdict.tier == 0)
        return refused(verdict.shortfall);
    return write(checked, verdict.tier);
}

QStringList summaryLines(const QString &folder, int mode)
{
    // Files of one kind count together, however the letter case or digits of their names vary.
    std::map<std::tuple<int, int, int, int>, int> counts;
    for (const QString &name : PatternFolder::allFiles(folder)) {
        const PatternFolder::Request r = PatternFolder::parseName(name)->request;
        if ((mode == 5 || mode == 6) && r.picks != mode)
            continue;
        ++counts[{r.picks, r.tier, r.pool, r.keys}];
    }
    QStringList lines;
    for (const auto &[kind, count] : counts) {
        const PatternFolder::Request r{std::get<0>(kind), std::get<1>(kind), std::get<2>(kind), std::get<3>(kind)};
        QString line = gameLabel(r.picks) + QString::number(r.tier) + u"等保証 "_s;
        line += u"選択数字数"_s + QString::number(r.pool).rightJustified(2, u'0') + u"個 "_s;
        line += r.keys > 0 ? u"Key数字 "_s + QString::number(r.keys) + u"個 "_s : u"Key数字なし "_s;
        line += u"パターンファイル数"_s + QString::number(count) + u'個';
        lines.append(line);
    }
    std::sort(lines.begin(), lines.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return lines;
}

QString summaryText(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + u"\r\n"_s;
    return text;
}

QString listPath(const QString &folder)
{
    return QFileInfo(QDir::cleanPath(folder)).dir().filePath(u"PatternList.txt"_s);
}

ListResult writeList(const QString &folder)
{
    ListResult result;
    result.path = listPath(folder);
    QByteArray bytes;
    for (const QString &name : PatternFolder::allFiles(folder))
        bytes += name.toLatin1() + "\r\n";
    if (!AppFiles::writeFile(result.path, bytes)) {
        result.message = u"%1 に書き込めませんでした。"_s.arg(QDir::toNativeSeparators(result.path));
        return result;
    }
    result.written = true;
    result.status = u"ファイル一覧を %1 に出力しました。"_s.arg(QDir::toNativeSeparators(result.path));
    return result;
}

} // namespace PatternManager
