#include "purchases/purchasefile.h"

#include "core/appfiles.h"
#include "core/drawfile.h"
#include "core/fields.h"
#include "core/gamerules.h"
#include "core/textlines.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <array>

using namespace Qt::StringLiterals;

namespace PurchaseFile {

namespace {
// Lines the load warning names one by one.
constexpr size_t kWarnedLines = 10;
// Longest field text a reason quotes whole.
constexpr qsizetype kQuotedChars = 12;

Result failure(Status status, const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    if (status == Status::Unreadable)
        return {status, u"ファイルを読み込めませんでした。\n"_s + name, {}};
    return {status, AppFiles::writeFailedText(path), {}};
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The value of a field of 1..maxDigits ASCII digits with blanks around them; -1 for any other.
int fieldValue(QByteArrayView field, int maxDigits)
{
    field = trimBlanks(field);
    if (field.isEmpty() || field.size() > maxDigits)
        return -1;
    int value = 0;
    for (const char c : field) {
        if (!isDigit(c))
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// Fields 0 .. picks + 1 of a line and what follows them.
struct LineFields
{
    std::array<QByteArrayView, PurchaseEntry::kMaxNumbers + 2> field;
    int count = 0;           // fields on the line, counted up to picks + 2
    QByteArrayView comment;  // from the comma after the ticket count on, that comma included
};

LineFields splitLine(QByteArrayView line, int picks)
{
    LineFields out;
    qsizetype start = 0;
    for (;;) {
        const qsizetype comma = line.indexOf(',', start);
        out.field[size_t(out.count++)] = line.sliced(start, (comma < 0 ? line.size() : comma) - start);
        if (comma < 0)
            break;
        if (out.count == picks + 2) {
            out.comment = line.sliced(comma);
            break;
        }
        start = comma + 1;
    }
    return out;
}

QString fieldText(QByteArrayView field)
{
    return DrawFile::decode(trimBlanks(field));
}

QString quoted(QByteArrayView field)
{
    const QString text = fieldText(field);
    return u'「' + (text.size() > kQuotedChars ? text.first(kQuotedChars) + u'…' : text) + u'」';
}

// The values of a valid line, or why the line is none.
struct LineCheck
{
    QString reason;
    int drawNo = -1;
    std::array<int, PurchaseEntry::kMaxNumbers> numbers{};
    int tickets = -1;
};

LineCheck checkLine(const LineFields &f, int picks, int maxNo)
{
    LineCheck check;
    check.drawNo = fieldValue(f.field[0], 5);
    if (check.drawNo < 1)
        return {u"抽選回"_s + quoted(f.field[0]) + u"が不正です（1～99999）"_s, -1};
    if (f.count < picks + 2) {
        check.reason = u"項目が足りません（%1 個、必要なのは %2 個）"_s.arg(f.count).arg(picks + 2);
        return check;
    }
    for (int i = 0; i < picks; ++i) {
        const int n = fieldValue(f.field[size_t(i + 1)], 2);
        if (n < 1 || n > maxNo) {
            check.reason = u"%1 番目の数字"_s.arg(i + 1) + quoted(f.field[size_t(i + 1)]) + u"が不正です（1～%1）"_s.arg(maxNo);
            return check;
        }
        for (int j = 0; j < i; ++j) {
            if (check.numbers[size_t(j)] == n) {
                check.reason = u"数字 %1 が重複しています"_s.arg(n);
                return check;
            }
        }
        check.numbers[size_t(i)] = n;
    }
    check.tickets = fieldValue(f.field[size_t(picks + 1)], 3);
    if (check.tickets < 1)
        check.reason = u"購入口数"_s + quoted(f.field[size_t(picks + 1)]) + u"が不正です（1～999）"_s;
    return check;
}

PurchaseEntry invalidEntry(QByteArrayView line, const LineFields &f, const LineCheck &check, int picks)
{
    PurchaseEntry entry;
    auto cell = [&f](int i, int width) { return padCell(i < f.count ? fieldText(f.field[size_t(i)]) : QString(), width); };
    entry.kai = cell(0, PurchaseEntry::kKaiWidth);
    for (int i = 1; i <= picks; ++i)
        entry.numbers.append(cell(i, PurchaseEntry::kNumberWidth));
    entry.buy = cell(picks + 1, PurchaseEntry::kBuyWidth);
    if (check.drawNo >= 1)
        entry.drawNo = check.drawNo;
    entry.invalidReason = check.reason;
    entry.sourceLine = line.toByteArray();
    entry.comment = f.comment.toByteArray();
    return entry;
}

// The entries of one draw share its cell: a long history holds each draw number once, and
// sorting by it compares texts that stay in the cache.
PurchaseEntry validEntry(const LineFields &f, const LineCheck &check, int picks, QList<int> &numbers,
                         QHash<int, QString> &kaiCells)
{
    numbers.clear();
    for (int i = 0; i < picks; ++i)
        numbers.append(check.numbers[size_t(i)]);
    PurchaseEntry entry = makePurchaseEntry(check.drawNo, numbers, check.tickets);
    QString &kai = kaiCells[check.drawNo];
    if (kai.isNull())
        kai = entry.kai;
    else
        entry.kai = kai;
    entry.comment = f.comment.toByteArray();
    return entry;
}

// A heading is any text; a data line starts (after blanks) with the digits of its draw number.
bool looksLikeData(QByteArrayView line)
{
    line = trimBlanks(line);
    return !line.isEmpty() && isDigit(line.front());
}

void warnOfInvalidLines(ReadResult &result)
{
    if (result.invalidCount == 0)
        return;
    result.message = u"不正な行が %1 行あります。これらの行は照合にも集計にも使わず、保存するときは読み込んだとおりに書き戻します。"_s
                         .arg(result.invalidCount);
    QStringList lines;
    for (const InvalidLine &line : result.firstInvalid)
        lines.append(u"%1 行目：%2"_s.arg(line.lineNumber).arg(line.reason));
    if (result.invalidCount > int(result.firstInvalid.size()))
        lines.append(u"（ほか %1 行）"_s.arg(result.invalidCount - int(result.firstInvalid.size())));
    result.detail = lines.join(u'\n');
}

QByteArray digestOf(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1);
}

Stamp stampOf(const QString &path, QByteArrayView bytes)
{
    const QFileInfo info(path);
    return {info.size(), info.lastModified(), digestOf(bytes)};
}

void appendCell(QByteArray &out, qint64 value, int width)
{
    char digits[20];
    int count = 0;
    do {
        digits[count++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0 && count < 20);
    for (int i = count; i < width; ++i)
        out.append(' ');
    while (count > 0)
        out.append(digits[--count]);
}
} // namespace

QString title(int runMode)
{
    const GameRules &rules = GameRules::of(runMode);
    return rules.isGame() ? rules.name() + u" 購入履歴"_s : QString();
}

QString heading(int runMode)
{
    QString text = u"回 "_s;
    for (int i = 0; i < runMode; ++i)
        text += u", 購入数字"_s;
    return text + u", 購入口数, コメント"_s;
}

ReadResult parse(const QByteArray &bytes, int runMode)
{
    ReadResult result;
    const QString expected = title(runMode);
    // Lines are cut before they are decoded: an invalid line is kept as its bytes.
    TextLines<QByteArrayView> lines(bytes);
    int lineNumber = 1;
    const QString titleLine = DrawFile::decode(lines.next());
    if (expected.isEmpty() || !titleLine.contains(expected, Qt::CaseInsensitive)) {
        result.status = Status::NotHistory;
        result.message = DrawFile::refusedMessage();
        const int other = runMode == Game::Loto6 ? Game::MiniLoto : Game::Loto6;
        if (!expected.isEmpty() && titleLine.contains(title(other), Qt::CaseInsensitive))
            result.detail = u"このファイルは %1 の購入履歴です。いま読み込まれているのは %2 の抽選結果です。"_s.arg(
                GameRules::of(other).name(), GameRules::of(runMode).name());
        else
            result.detail = u"1 行目に「%1」がありません。"_s.arg(expected);
        return result;
    }

    const int picks = runMode;
    const int maxNo = GameRules::of(runMode).maxNo();
    result.entries.reserve(size_t(bytes.count('\n') + 1));
    QList<int> numbers;
    QHash<int, QString> kaiCells;
    while (!lines.atEnd()) {
        const QByteArrayView line = lines.next();
        ++lineNumber;
        // An empty line holds no purchase; keeping it would save a row of blanks. Line 2 is the
        // heading unless it holds a purchase.
        if (trimBlanks(line).isEmpty() || (lineNumber == 2 && !looksLikeData(line)))
            continue;
        const LineFields fields = splitLine(line, picks);
        const LineCheck check = checkLine(fields, picks, maxNo);
        if (check.reason.isEmpty()) {
            result.entries.push_back(validEntry(fields, check, picks, numbers, kaiCells));
            continue;
        }
        result.entries.push_back(invalidEntry(line, fields, check, picks));
        if (result.firstInvalid.size() < kWarnedLines)
            result.firstInvalid.push_back({lineNumber, check.reason});
        ++result.invalidCount;
    }
    warnOfInvalidLines(result);
    return result;
}

ReadResult read(const QString &path, int runMode)
{
    const AppFiles::ReadResult file = AppFiles::readFile(path);
    if (!file.ok()) {
        ReadResult result;
        static_cast<Result &>(result) = failure(Status::Unreadable, path);
        return result;
    }
    ReadResult result = parse(file.bytes, runMode);
    if (result.status == Status::NotHistory)
        result.detail = QDir::toNativeSeparators(path) + u'\n' + result.detail;
    else
        result.stamp = stampOf(path, file.bytes);
    return result;
}

QByteArray serialize(const std::vector<PurchaseEntry> &entries, int runMode)
{
    QByteArray out = DrawFile::encode(title(runMode) + u"\r\n"_s + heading(runMode) + u"\r\n"_s);
    out.reserve(out.size() + qsizetype(entries.size()) * (6 + 3 * runMode + 6));
    for (const PurchaseEntry &entry : entries) {
        if (!entry.isValid()) {
            out += entry.sourceLine;
        } else {
            appendCell(out, entry.drawNo.value_or(0), PurchaseEntry::kKaiWidth);
            for (int i = 0; i < entry.picks(); ++i) {
                out += ',';
                appendCell(out, entry.values[size_t(i)], PurchaseEntry::kNumberWidth);
            }
            out += ',';
            appendCell(out, entry.tickets, PurchaseEntry::kBuyWidth);
            out += entry.comment;
        }
        out += "\r\n";
    }
    return out;
}

WriteResult write(const QString &path, const std::vector<PurchaseEntry> &entries, int runMode)
{
    WriteResult result;
    const QByteArray bytes = title(runMode).isEmpty() ? QByteArray() : serialize(entries, runMode);
    if (path.isEmpty() || bytes.isEmpty() || !AppFiles::writeFile(path, bytes)) {
        static_cast<Result &>(result) = failure(Status::Unwritable, path);
        return result;
    }
    result.stamp = stampOf(path, bytes);
    return result;
}

bool changedSince(const QString &path, const Stamp &stamp)
{
    const QFileInfo info(path);
    if (stamp.size < 0 || !info.exists())
        return false;
    if (info.size() != stamp.size || info.lastModified() != stamp.modified)
        return true;
    const AppFiles::ReadResult file = AppFiles::readFile(path);
    return !file.ok() || digestOf(file.bytes) != stamp.digest;
}

QString savePath(const QString &chosen)
{
    const QFileInfo info(chosen);
    if (chosen.isEmpty() || !info.suffix().isEmpty())
        return chosen;
    return chosen + (info.fileName().endsWith(u"購入履歴"_s) ? u".csv"_s : u"購入履歴.csv"_s);
}

} // namespace PurchaseFile
