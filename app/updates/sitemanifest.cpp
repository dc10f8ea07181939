#include "updates/sitemanifest.h"

#include "combinations/patternfolder.h"
#include "core/game.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSysInfo>

using namespace Qt::StringLiterals;

namespace SiteManifest {

namespace {
// A structural fault: the manifest is not what the format says, and is refused whole.
struct Malformed
{
    QString what;
};

QString text(const QJsonObject &object, const QString &key, const QString &where)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return {};
    if (!value.isString())
        throw Malformed{u"%1 の \"%2\" が文字列ではありません"_s.arg(where, key)};
    return value.toString();
}

QDateTime time(const QJsonObject &object, const QString &key)
{
    const QDateTime when = QDateTime::fromString(text(object, key, u"manifest"_s), Qt::ISODate);
    if (!when.isValid())
        throw Malformed{u"\"%1\" が日時ではありません"_s.arg(key)};
    return when;
}

qint64 integer(const QJsonObject &object, const QString &key, const QString &where, bool required)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() && !required)
        return 0;
    const double number = value.toDouble(-1);
    // Integers only, and none so large that a double cannot hold it exactly.
    if (!value.isDouble() || number < 0 || number > 9.0e15 || number != double(qint64(number)))
        throw Malformed{u"%1 の \"%2\" が 0 以上の整数ではありません"_s.arg(where, key)};
    return qint64(number);
}

QJsonArray array(const QJsonObject &object, const QString &key, const QString &where)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return {};
    if (!value.isArray())
        throw Malformed{u"%1 の \"%2\" が配列ではありません"_s.arg(where, key)};
    return value.toArray();
}

QJsonObject object(const QJsonValue &value, const QString &where)
{
    if (!value.isObject())
        throw Malformed{where + u" がオブジェクトではありません"_s};
    return value.toObject();
}

File file(const QJsonObject &entry, const QString &where)
{
    File f;
    f.name = text(entry, u"name"_s, where);
    f.path = text(entry, u"path"_s, where);
    f.size = integer(entry, u"size"_s, where, true);
    const QString hash = text(entry, u"sha256"_s, where);
    f.sha256 = QByteArray::fromHex(hash.toLatin1());
    if (hash.size() != 64 || f.sha256.size() != 32 || f.sha256.toHex() != hash.toLatin1().toLower())
        throw Malformed{where + u" の \"sha256\" が 64 桁の 16 進数ではありません"_s};
    if (!isSafePath(f.path))
        f.problem = u"パス「%1」は使えません（サイト内の相対パスだけが使えます）"_s.arg(f.path);
    else if (f.size > kMaxFileBytes)
        f.problem = u"%1 バイトのファイルは大きすぎます（64 MiB まで）"_s.arg(f.size);
    return f;
}

std::optional<Program> program(const QJsonObject &root, const QString &platform)
{
    if (!root.contains(u"program"_s))
        return std::nullopt;
    const QJsonObject entry = object(root.value(u"program"_s), u"program"_s);
    Program p;
    p.version = text(entry, u"version"_s, u"program"_s);
    p.notes = text(entry, u"notes"_s, u"program"_s);
    const QJsonArray files = array(entry, u"files"_s, u"program"_s);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString where = u"program.files[%1]"_s.arg(i);
        const QJsonObject item = object(files.at(i), where);
        File f = file(item, where);
        if (text(item, u"platform"_s, where) == platform && !p.package)
            p.package = f;
    }
    return p;
}

QList<DrawFile> draws(const QJsonObject &root)
{
    QList<DrawFile> result;
    const QJsonArray entries = array(root, u"draws"_s, u"manifest"_s);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString where = u"draws[%1]"_s.arg(i);
        const QJsonObject item = object(entries.at(i), where);
        DrawFile d;
        const QString game = text(item, u"game"_s, where);
        // A game this program does not know is left to the programs that do.
        if (game == u"loto6")
            d.runMode = Game::Loto6;
        else if (game == u"miniloto")
            d.runMode = Game::MiniLoto;
        else
            continue;
        d.file = file(item, where);
        d.lastDraw = integer(item, u"last_draw"_s, where, false);
        result.append(d);
    }
    return result;
}

QList<File> patterns(const QJsonObject &root)
{
    QList<File> result;
    const QJsonArray entries = array(root, u"patterns"_s, u"manifest"_s);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString where = u"patterns[%1]"_s.arg(i);
        File f = file(object(entries.at(i), where), where);
        if (f.problem.isEmpty() && !PatternFolder::parseName(f.name))
            f.problem = u"「%1」は保証パターンの名前（番号-キー.txt）ではありません"_s.arg(f.name);
        result.append(f);
    }
    return result;
}

std::optional<Help> help(const QJsonObject &root)
{
    if (!root.contains(u"help"_s))
        return std::nullopt;
    const QJsonObject entry = object(root.value(u"help"_s), u"help"_s);
    Help h;
    h.version = text(entry, u"version"_s, u"help"_s);
    const QJsonArray files = array(entry, u"files"_s, u"help"_s);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString where = u"help.files[%1]"_s.arg(i);
        File f = file(object(files.at(i), where), where);
        if (f.problem.isEmpty() && !isHelpName(f.name))
            f.problem = u"ヘルプの名前「%1」は使えません"_s.arg(f.name);
        h.files.append(f);
    }
    return h;
}
} // namespace

bool isSafePath(const QString &path)
{
    if (path.isEmpty() || path.contains(u'\\') || path.contains(u':'))
        return false;
    const QStringList parts = path.split(u'/');
    for (const QString &part : parts) {
        if (part.isEmpty() || part == u"." || part == u"..")
            return false;
    }
    return true;
}

bool isHelpName(const QString &name)
{
    if (!isSafePath(name))
        return false;
    const QStringList parts = name.split(u'/');
    for (const QString &part : parts) {
        if (part.startsWith(u'.'))
            return false;
    }
    return true;
}

QString currentPlatform()
{
    QString arch = QSysInfo::currentCpuArchitecture();
    if (arch == u"x86_64" || arch == u"amd64")
        arch = u"x86_64"_s;
    QString os = QSysInfo::kernelType();  // "linux", "winnt", "darwin"
    if (os == u"winnt")
        os = u"windows"_s;
    else if (os == u"darwin")
        os = u"macos"_s;
    return os + u'-' + arch;
}

Parsed parse(const QByteArray &bytes, const QDateTime &now, const QString &platform)
{
    Parsed parsed;
    if (bytes.size() > kMaxManifestBytes) {
        parsed.error = u"manifest.json が大きすぎます（1 MiB まで）"_s;
        return parsed;
    }
    QJsonParseError jsonError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &jsonError);
    if (jsonError.error != QJsonParseError::NoError || !document.isObject()) {
        parsed.error = u"manifest.json が JSON のオブジェクトではありません（%1）"_s.arg(
            jsonError.error != QJsonParseError::NoError ? jsonError.errorString() : u"not an object"_s);
        return parsed;
    }
    const QJsonObject root = document.object();
    try {
        Manifest m;
        m.format = int(std::min<qint64>(integer(root, u"format"_s, u"manifest"_s, true), 1'000'000));
        if (m.format > kFormat) {
            parsed.error = u"manifest.json の形式 %1 はこのプログラムより新しいものです（%2 まで読めます）。プログラムを更新してください"_s
                               .arg(m.format)
                               .arg(kFormat);
            return parsed;
        }
        if (m.format < 1)
            throw Malformed{u"\"format\" が 1 以上ではありません"_s};
        m.published = time(root, u"published"_s);
        m.expires = time(root, u"expires"_s);
        if (m.expires <= now) {
            parsed.error = u"manifest.json の有効期限（%1）が過ぎています"_s.arg(m.expires.toUTC().toString(Qt::ISODate));
            return parsed;
        }
        m.message = text(root, u"message"_s, u"manifest"_s);
        m.program = program(root, platform);
        m.draws = draws(root);
        m.patterns = patterns(root);
        m.help = help(root);
        parsed.manifest = std::move(m);
    } catch (const Malformed &fault) {
        parsed.error = u"manifest.json の形式が正しくありません：%1"_s.arg(fault.what);
    }
    return parsed;
}

} // namespace SiteManifest
