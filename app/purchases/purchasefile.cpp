#include "purchases/purchasefile.h"

#include "core/appfiles.h"
#include "core/drawfile.h"
#include "core/fields.h"
#include "core/gamerules.h"
#include "core/textlines.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace PurchaseFile {

namespace {
Result failure(Status status, const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    if (status == Status::Unreadable)
        return {status, u"ファイルを読み込めませんでした。\n"_s + name};
    return {status, AppFiles::writeFailedText(path)};
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
    const QString text = DrawFile::decode(bytes);
    TextLines<QStringView> lines(text);
    const QStringView titleLine = lines.next();
    if (expected.isEmpty() || !titleLine.contains(expected, Qt::CaseInsensitive)) {
        result.status = Status::NotHistory;
        result.message = DrawFile::refusedMessage();
        return result;
    }
    lines.next();  // the heading

    const int picks = runMode;
    QList<QStringView> fields;
    QList<QStringView> numbers;
    result.entries.reserve(size_t(lines.rest().count(u'\n')) + 1);
    while (!lines.atEnd()) {
        const QStringView line = lines.next();
        // An empty line holds no purchase; keeping it would save a row of blanks.
        if (line.isEmpty())
            continue;
        fields.clear();
        for (QStringView f : line.tokenize(u',', Qt::KeepEmptyParts))
            fields.append(f);
        numbers.clear();
        for (int i = 1; i <= picks; ++i)
            numbers.append(fields.value(i));
        result.entries.push_back(makePurchaseEntry(fields.value(0), numbers, fields.value(picks + 1)));
    }
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
    return parse(file.bytes, runMode);
}

QByteArray serialize(const std::vector<PurchaseEntry> &entries, int runMode)
{
    QString text;
    text.reserve(qsizetype(entries.size()) * (6 + 3 * runMode + 6) + 128);
    text += title(runMode) + u"\r\n"_s + heading(runMode) + u"\r\n"_s;
    for (const PurchaseEntry &entry : entries) {
        appendPadded(text, entry.kai, PurchaseEntry::kKaiWidth);
        for (int i = 0; i < runMode; ++i) {
            text += u',';
            appendPadded(text, entry.numbers.value(i), PurchaseEntry::kNumberWidth);
        }
        text += u',';
        appendPadded(text, entry.buy, PurchaseEntry::kBuyWidth);
        text += u"\r\n"_s;
    }
    return DrawFile::encode(text);
}

Result write(const QString &path, const std::vector<PurchaseEntry> &entries, int runMode)
{
    if (path.isEmpty() || title(runMode).isEmpty())
        return failure(Status::Unwritable, path);
    if (!AppFiles::writeFile(path, serialize(entries, runMode)))
        return failure(Status::Unwritable, path);
    return {};
}

} // namespace PurchaseFile
