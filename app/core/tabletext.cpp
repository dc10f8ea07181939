#include "core/tabletext.h"

using namespace Qt::StringLiterals;

namespace TableText {

QString tsvLine(const QStringList &cells)
{
    QStringList clean;
    clean.reserve(cells.size());
    for (QString cell : cells) {
        cell.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
        clean.append(cell);
    }
    return clean.join(u'\t');
}

QString tsv(const QList<QStringList> &rows)
{
    QString out;
    for (const QStringList &row : rows) {
        out += tsvLine(row);
        out += u'\n';
    }
    return out;
}

QString csvLine(const QStringList &cells)
{
    QStringList quoted;
    quoted.reserve(cells.size());
    for (const QString &cell : cells) {
        const bool needsQuotes = cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\n') ||
                                 cell.contains(u'\r');
        if (!needsQuotes) {
            quoted.append(cell);
            continue;
        }
        QString q = cell;
        q.replace(u"\""_s, u"\"\""_s);
        quoted.append(u'"' + q + u'"');
    }
    return quoted.join(u',');
}

QByteArray csvFile(const QList<QStringList> &rows)
{
    QByteArray out("\xEF\xBB\xBF");
    for (const QStringList &row : rows) {
        out += csvLine(row).toUtf8();
        out += "\r\n";
    }
    return out;
}

} // namespace TableText
