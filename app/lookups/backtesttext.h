#pragma once

#include "lookups/backtest.h"

#include <QStringList>

// The back-test as the window and the command line show it.
namespace BackTestText {

// 回, 抽選日, 最高, １等 … (the game's tiers), 当選金額, 購入金額, 累計収支.
QStringList headers(int runMode);
// A draw's cells in those columns, numbers blank-padded to their column's width.
QStringList cells(const BackTest::Result &result, const BackTest::Draw &draw);
// The summary: draws, tickets per draw, cost, winnings, balance, return rate, hits per tier,
// the longest run without a win, the best draw.
QStringList summary(const BackTest::Result &result);

} // namespace BackTestText
