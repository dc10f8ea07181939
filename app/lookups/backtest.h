#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

class RowSource;

// What a set of tickets would have won over past draws: per draw the tickets in each tier, the
// winnings at that draw's prizes, the cost and the running balance; over all of them the totals,
// the hits per tier, the longest run without a win and the best draw; and, beside the balance,
// what random tickets of the same count would have brought on average.
namespace BackTest {

constexpr int kMaxTiers = 5;

struct Draw
{
    int row = 0;                        // in the table
    qint64 drawNo = 0;
    QString date;                       // as the table shows it
    int best = 0;                       // best tier among the tickets; 0 none
    std::array<qint64, kMaxTiers> tickets{};  // tickets in each tier
    qint64 winnings = 0;
    qint64 cost = 0;
    qint64 balance = 0;                 // winnings less cost, from the first draw to this one
    double expectedBalance = 0;         // the same for random tickets, on average
};

struct Result
{
    int runMode = 0;
    qint64 ticketsPerDraw = 0;
    std::vector<Draw> draws;
    qint64 cost = 0;
    qint64 winnings = 0;
    std::array<qint64, kMaxTiers> hits{};
    int longestDry = 0;                 // draws in a row without any win
    int best = -1;                      // index in draws of the draw that won most; -1 none won
    qint64 balance() const { return winnings - cost; }
    // Winnings per 100 yen spent; 0 without cost.
    double returnRate() const;
};

// The chance that one random ticket wins each tier of the game (RunMode): the ways of matching
// the tier's numbers (and the bonus or not) over all tickets.
std::array<double, kMaxTiers> tierChances(int runMode);

// Runs the tickets (masks of numbers, bit n for number n; each bought once per draw) over the
// draws of `rows` that an analysis takes, in list order. `progress` (may be empty) hears of the
// draws done now and then; nothing for a cancelled run.
std::optional<Result> run(const RowSource &rows, int runMode, const std::vector<quint64> &tickets,
                          const std::atomic<bool> *cancel = nullptr,
                          const std::function<void(qint64 done, qint64 total)> &progress = {});

} // namespace BackTest
