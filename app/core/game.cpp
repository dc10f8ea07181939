#include "core/game.h"

using namespace Qt::StringLiterals;

namespace {
QList<ColumnSpec> buildLoto6()
{
    return {
        {QString(), QString(), -1, 0},
        {u"Kai"_s, u"回"_s, 0, 5},
        {u"Date"_s, u"抽選日"_s, 1, 0},
        {u"No1"_s, u"1"_s, 2, 2},
        {u"No2"_s, u"2"_s, 3, 2},
        {u"No3"_s, u"3"_s, 4, 2},
        {u"No4"_s, u"4"_s, 5, 2},
        {u"No5"_s, u"5"_s, 6, 2},
        {u"No6"_s, u"6"_s, 7, 2},
        {u"Bonus"_s, u"Bonus"_s, 8, 2},
        {u"Kuchi1"_s, u"１等口数"_s, 9, 3},
        {u"Money1"_s, u"１等賞金"_s, 14, 9},
        {u"Kuchi2"_s, u"２等口数"_s, 10, 3},
        {u"Money2"_s, u"２等賞金"_s, 15, 9},
        {u"Kuchi3"_s, u"３等口数"_s, 11, 4},
        {u"Money3"_s, u"３等賞金"_s, 16, 7},
        {u"Kuchi4"_s, u"４等口数"_s, 12, 5},
        {u"Money4"_s, u"４等賞金"_s, 17, 5},
        {u"Kuchi5"_s, u"５等口数"_s, 13, 7},
        {u"Money5"_s, u"５等賞金"_s, 18, 4},
        {u"Carry"_s, u"CarryOver"_s, 19, 9},
    };
}

QList<ColumnSpec> buildMiniLoto()
{
    return {
        {QString(), QString(), -1, 0},
        {u"Kai"_s, u"回"_s, 0, 5},
        {u"Date"_s, u"抽選日"_s, 1, 0},
        {u"No1"_s, u"1"_s, 2, 2},
        {u"No2"_s, u"2"_s, 3, 2},
        {u"No3"_s, u"3"_s, 4, 2},
        {u"No4"_s, u"4"_s, 5, 2},
        {u"No5"_s, u"5"_s, 6, 2},
        {u"Bonus"_s, u"Bonus"_s, 7, 2},
        {u"Kuchi1"_s, u"１等口数"_s, 8, 3},
        {u"Money1"_s, u"１等賞金"_s, 12, 8},
        {u"Kuchi2"_s, u"２等口数"_s, 9, 4},
        {u"Money2"_s, u"２等賞金"_s, 13, 7},
        {u"Kuchi3"_s, u"３等口数"_s, 10, 4},
        {u"Money3"_s, u"３等賞金"_s, 14, 5},
        {u"Kuchi4"_s, u"４等口数"_s, 11, 6},
        {u"Money4"_s, u"４等賞金"_s, 15, 4},
    };
}
} // namespace

const QList<ColumnSpec> &drawColumns(int runMode)
{
    static const QList<ColumnSpec> loto6 = buildLoto6();
    static const QList<ColumnSpec> mini = buildMiniLoto();
    static const QList<ColumnSpec> none;
    return runMode == Game::Loto6 ? loto6 : runMode == Game::MiniLoto ? mini : none;
}
