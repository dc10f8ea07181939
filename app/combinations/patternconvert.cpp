#include "combinations/patternconvert.h"

#include "core/numbers.h"

using namespace Qt::StringLiterals;

namespace PatternConvert {

QString Result::text() const
{
    QString out;
    for (const QString &line : lines)
        out += line + u"\r\n"_s;
    return out;
}

Result convert(const QString &source, const QString &poolText)
{
    Result result;
    if (source.isEmpty())
        return result;
    const std::optional<qint64> pool = parseNumber(poolText);
    if (!pool || *pool < 1 || *pool > kMaxPool) {
        result.warning = u"選択数は1から%1までの数字で入力してください。"_s.arg(kMaxPool);
        return result;
    }
    const int n = int(*pool);

    QStringList lines;
    QString line(n, u'0');
    QString digits;
    int lineNo = 1;
    int onLine = 0;
    int picks = -1;
    const auto endNumber = [&]() -> bool {
        if (digits.isEmpty())
            return true;
        const qint64 position = parseNumber(digits).value_or(0);
        if (position < 1 || position > n) {
            const QString shown = digits.size() > 10 ? digits.left(10) + u'…' : digits;
            result.warning = u"%1行目の %2 は選択数 %3 の範囲（1～%3）にありません。"_s.arg(lineNo).arg(shown).arg(n);
            return false;
        }
        // A number typed twice on a line is one mark, and one pick.
        if (line[position - 1] != u'1') {
            line[position - 1] = u'1';
            ++onLine;
        }
        digits.clear();
        return true;
    };
    const auto endLine = [&] {
        if (onLine > 0) {
            lines.append(line);
            if (picks < 0)
                picks = onLine;
        }
        line.fill(u'0');
        onLine = 0;
        ++lineNo;
    };
    for (const QChar c : source) {
        if (c >= u'0' && c <= u'9') {
            digits.append(c);
            continue;
        }
        if (!endNumber())
            return result;
        if (c == u'\n')
            endLine();
    }
    if (!endNumber())
        return result;
    endLine();

    result.done = true;
    result.lines = lines;
    result.picks = qMax(picks, 0);
    result.pool = n;
    return result;
}

} // namespace PatternConvert
