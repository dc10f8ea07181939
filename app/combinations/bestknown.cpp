#include "combinations/bestknown.h"

#include "core/appfiles.h"
#include "core/numbers.h"
#include "core/textlines.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace BestKnown {

QString shippedPath()
{
    const QString data = AppFiles::bundledDir(u"data"_s);
    return data.isEmpty() ? QString() : QDir(data).filePath(u"wheels/BEST_KNOWN_SIZES.csv"_s);
}

QList<Entry> parse(const QByteArray &bytes)
{
    QList<Entry> out;
    for (TextLines<QByteArrayView> lines(bytes); !lines.atEnd();) {
        const QList<QByteArray> fields = lines.next().trimmed().toByteArray().split(',');
        if (fields.size() < 5)
            continue;
        qint64 values[5];
        bool ok = true;
        for (int i = 0; i < 5 && ok; ++i) {
            const std::optional<qint64> n = parseNumber(QString::fromLatin1(fields[i]));
            ok = n.has_value() && *n <= 1'000'000'000;
            values[i] = n.value_or(0);
        }
        if (ok)
            out.append(Entry{int(values[0]), int(values[1]), int(values[2]), values[3], values[4]});
    }
    return out;
}

const QList<Entry> &entries()
{
    static const QList<Entry> table = [] {
        const AppFiles::ReadResult file = AppFiles::readFile(shippedPath(), 1024 * 1024);
        return file.ok() ? parse(file.bytes) : QList<Entry>();
    }();
    return table;
}

qint64 size(int v, int k, int t)
{
    for (const Entry &e : entries()) {
        if (e.v == v && e.k == k && e.t == t)
            return e.size;
    }
    return -1;
}

} // namespace BestKnown
