#include "lookups/numbersearch.h"

#include "core/fields.h"
#include "core/numbers.h"
#include "core/gamerules.h"
#include "core/rowsource.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace NumberSearch {

QString prompt(int runMode)
{
    return runMode == Game::MiniLoto ? u"１から３１までの番号を入力 （スペースで区切る）"_s
                                     : u"１から４３までの番号を入力 （スペースで区切る）"_s;
}

int noEnd(int runMode)
{
    return GameRules::of(runMode).bonusColumn();
}

namespace {
QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.mid(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}
} // namespace

Parsed parse(const QString &text, int runMode)
{
    Parsed result;
    result.cleaned = trimBlanks(text).toString();
    const QList<QStringView> parts = QStringView(result.cleaned).split(u' ');
    for (const QStringView part : parts) {
        if (!isDigits(part)) {
            result.error = u"数字以外の文字が含まれています"_s;
            return result;
        }
    }
    const int maxNo = GameRules::of(runMode).maxNo();
    for (const QStringView part : parts) {
        const qint64 value = parseNumber(part).value_or(0);
        if (value < 1 || value > maxNo) {
            result.error = runMode == Game::MiniLoto ? u"１～３１の数字を入力"_s : u"１～４３の数字を入力"_s;
            return result;
        }
    }
    return result;
}

QStringList cellTexts(const QString &cleaned)
{
    QStringList cells;
    for (const QStringView part : QStringView(cleaned).split(u' '))
        cells.append(padCell(part, 2));
    return cells;
}

QList<int> search(const RowSource &source, int noEnd, const QStringList &cells, Mode mode)
{
    QList<int> matches;
    const int first = GameRules::kFirstNumberColumn;
    const int span = std::max(0, noEnd - first + 1);
    QStringList drawn;
    drawn.reserve(span);
    const int rows = source.rowCount();
    for (int r = 0; r < rows; ++r) {
        if (!source.inAnalysisSet(r))
            continue;
        drawn.clear();
        for (int c = first; c <= noEnd; ++c)
            drawn.append(source.cellText(r, c));
        auto drawnHas = [&](const QString &cell) { return drawn.contains(cell); };
        bool match = false;
        switch (mode) {
        case Mode::Or:
            match = std::any_of(cells.begin(), cells.end(), drawnHas);
            break;
        case Mode::And:
            match = std::all_of(cells.begin(), cells.end(), drawnHas);
            break;
        case Mode::Not:
            match = std::none_of(cells.begin(), cells.end(), drawnHas);
            break;
        }
        if (match)
            matches.append(r);
    }
    return matches;
}

QString copyCaption(const QString &typed)
{
    return u"指定した番号から抽選結果の検索 "_s + typed;
}

} // namespace NumberSearch
