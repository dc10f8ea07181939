#include "core/drawfile.h"

#include "core/appfiles.h"
#include "core/cp932.h"
#include "core/drawtable.h"
#include "core/gamerules.h"
#include "core/textlines.h"

#include <QDir>

#include <algorithm>
#include <map>


using namespace Qt::StringLiterals;

namespace DrawFile {

namespace {
// What the first line of a game's file says.
QString titleMarker(int runMode)
{
    return GameRules::of(runMode).name() + u" DownloadData"_s;
}
} // namespace

QString refusedMessage()
{
    return u"データファイルが異常です"_s;
}

QString decode(QByteArrayView bytes)
{
    return Cp932::decode(bytes);
}

QByteArray encode(QStringView text)
{
    return Cp932::encode(text);
}

int gameOfTitle(QStringView titleLine)
{
    for (const int runMode : {Game::Loto6, Game::MiniLoto}) {
        if (titleLine.contains(titleMarker(runMode), Qt::CaseInsensitive))
            return runMode;
    }
    return Game::None;
}

Result parse(const QByteArray &bytes, DrawTable &table)
{
    if (bytes.isEmpty())
        return {Status::Unreadable, 0, Reason::Empty};

    // The title is decoded alone: a file that is none is refused before the rest is read.
    TextLines<QByteArrayView> fileLines(bytes);
    const int runMode = gameOfTitle(decode(fileLines.next()));
    if (runMode == Game::None)
        return {Status::NotDrawFile, 0, Reason::NoMarker};

    DrawTable fresh;
    fresh.reset(runMode);
    const QString body = decode(fileLines.rest());
    TextLines<QStringView> lines(body);
    lines.next();  // the heading, skipped unread
    fresh.reserve(int(body.count(u'\n')));
    while (!lines.atEnd())
        fresh.appendDataLine(lines.next());

    table = std::move(fresh);
    return {Status::Ok, runMode};
}

Result read(const QString &path, DrawTable &table)
{
    const AppFiles::ReadResult file = AppFiles::readFile(path);
    switch (file.error) {
    case AppFiles::ReadError::None:
        return parse(file.bytes, table);
    case AppFiles::ReadError::Missing:
        return {Status::Unreadable, 0, Reason::Missing};
    case AppFiles::ReadError::NotRegular:
        return {Status::Unreadable, 0, Reason::NotRegular};
    case AppFiles::ReadError::TooLarge:
        return {Status::Unreadable, 0, Reason::TooLarge};
    case AppFiles::ReadError::Unreadable:
        break;
    }
    return {Status::Unreadable, 0, Reason::Unreadable};
}

QByteArray encodeRows(const DrawTable &table, const QList<int> &rows)
{
    const int runMode = table.runMode();
    const GameRules &rules = GameRules::of(runMode);
    // The heading the published files carry; the loader skips it unread.
    QStringList heading{u"回"_s, u"抽選日"_s};
    for (int i = 1; i <= rules.picks(); ++i)
        heading.append(u"本数字%1"_s.arg(i));
    heading.append(u"ボーナス数字"_s);
    for (const QString &what : {u"口数"_s, u"賞金"_s}) {
        for (int tier = 1; tier <= rules.tierCount(); ++tier)
            heading.append(u"%1等%2"_s.arg(tier).arg(what));
    }
    if (runMode == Game::Loto6)
        heading.append(u"キャリーオーバー"_s);

    int fieldCount = int(heading.size());
    for (const ColumnLayout &column : table.columns())
        fieldCount = std::max(fieldCount, column.field + 1);
    QString text = titleMarker(runMode) + u"\r\n"_s + heading.join(u',') + u"\r\n"_s;
    QStringList fields;
    for (const int row : rows) {
        fields.fill(QString(), fieldCount);
        for (int c = 0; c < table.columnCount(); ++c) {
            const ColumnLayout &column = table.column(c);
            if (column.field < 0)
                continue;
            QStringView cell = table.cell(row, c);
            if (column.width > 0)
                while (cell.startsWith(u' '))
                    cell = cell.mid(1);
            fields[column.field] = cell.toString();
        }
        text += fields.join(u',') + u"\r\n"_s;
    }
    return encode(text);
}

QString refusedDetail(const QString &path, Reason reason)
{
    static const std::map<Reason, QString> why{
        {Reason::Missing, u"ファイルがありません。"_s},
        {Reason::NotRegular, u"通常のファイルではありません。"_s},
        {Reason::TooLarge, u"ファイルが大きすぎます（64 MiB まで）。"_s},
        {Reason::Unreadable, u"ファイルを読み込めません。"_s},
        {Reason::Empty, u"ファイルが空です。"_s},
        {Reason::NoMarker, u"1 行目に「%1」も「%2」もありません。"_s.arg(titleMarker(Game::Loto6), titleMarker(Game::MiniLoto))},
    };
    const auto it = why.find(reason);
    return QDir::toNativeSeparators(path) + u'\n' + (it == why.end() ? QString() : it->second);
}

} // namespace DrawFile
