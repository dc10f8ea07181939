#include "combinations/patternmanager.h"

#include "combinations/patternfolder.h"
#include "core/appfiles.h"
#include "core/gamerules.h"
#include "core/numbers.h"
#include "core/textlines.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
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

// The game label of a pick count.
QString gameLabel(int picks)
{
    const GameRules &rules = GameRules::of(picks);
    return rules.isGame() ? rules.name() + u' ' : QString();
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

SaveResult save(const SaveInput &input)
{
    // The body: the ticket lines with CR LF line ends, exactly one after the last line.
    QStringList lines;
    for (TextLines<QStringView> text(input.convertedText); !text.atEnd();) {
        if (const QStringView line = text.next(); !line.isEmpty())
            lines.append(line.toString());
    }
    if (lines.isEmpty())
        return refused(u"変換後のテキストがありません。変換してから保存してください。"_s);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const bool binary = std::all_of(line.begin(), line.end(), [](QChar c) { return c == u'0' || c == u'1'; });
        if (line.size() != input.pool || !binary)
            return refused(u"変換後のテキストの%1行目が選択数 %2 の「0」「1」の行ではありません。"_s.arg(i + 1).arg(input.pool));
    }
    if (input.picks != 5 && input.picks != 6)
        return refused(u"1行目の数字の数（%1個）はLOTO6の6個でもminiLOTOの5個でもありません。"_s.arg(input.picks));
    if (input.tier != 1 && input.tier != 3 && input.tier != 4 && input.tier != 5)
        return refused(u"保証する等級を選んでください。"_s);
    qint64 keys = 0;
    if (const QString typed = input.keysText.trimmed(); !typed.isEmpty()) {
        const std::optional<qint64> value = parseNumber(typed);
        if (!value || *value > input.picks)
            return refused(u"Key数字数は0から%1までの数字で入力してください。"_s.arg(input.picks));
        keys = *value;
    }
    const QFileInfo folder(input.folder);
    if (input.folder.isEmpty() || !folder.isDir())
        return refused(u"パターンファイルのフォルダ %1 がありません。"_s.arg(QDir::toNativeSeparators(input.folder)));

    const PatternFolder::Request request{input.picks, input.tier, input.pool, int(keys)};
    const QByteArray body = (lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1();
    // Compared in memory: nothing is written before the content is known to be new.
    for (const QString &name : PatternFolder::matchingFiles(input.folder, request)) {
        const AppFiles::ReadResult existing = AppFiles::readFile(QDir(input.folder).filePath(name));
        if (existing.ok() && existing.bytes == body) {
            SaveResult result = refused(name + u"と同じです。"_s);
            result.critical = true;
            return result;
        }
    }

    int serial = PatternFolder::nextSerial(input.folder, request);
    QString path = QDir(input.folder).filePath(PatternFolder::fileName(serial, request));
    // Never replace anything, whatever takes the name (a folder, a name in another letter case).
    while (QFileInfo::exists(path))
        path = QDir(input.folder).filePath(PatternFolder::fileName(++serial, request));
    // Whole or not at all: a failed write leaves no half file.
    if (!AppFiles::writeFile(path, body))
        return refused(u"%1 を保存できませんでした。"_s.arg(QDir::toNativeSeparators(path)));

    SaveResult result;
    result.saved = true;
    result.fileName = QFileInfo(path).fileName();
    return result;
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
