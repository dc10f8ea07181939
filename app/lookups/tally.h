#pragma once

#include "core/drawrecord.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class RowSource;

// The combination hit tally: from every selected draw, the number combinations that each ticked
// prize tier makes winning in it; identical combinations merged (or each folded into the listed
// combinations that contain it), with their wins per tier, the prize money those wins paid and
// the draws they came from.
namespace Tally {

constexpr int kMaxTiers = DrawRecord::kMaxTiers;
constexpr int kMaxKey = DrawRecord::kMaxPicks;

// Combinations one draw yields for a tier: the subsets of its main numbers of the size the tier
// needs (a second-tier combination adds the bonus to each).
int entriesPerDraw(int runMode, int rank);

// What the tally window's controls hold.
struct Settings
{
    int runMode = 0;
    std::array<bool, kMaxTiers> tiers{};  // tier box 1..5 ticked, at index 0..4
    bool merge = false;                   // fold into containing combinations instead of merging equal ones
    QString amountText;                   // first-tier prize to use where a draw's is 0, as typed

    bool anyTier() const;
};

// The amount box's text when the window is made: 200000000 (LOTO6), 20000000 (miniLOTO).
QString defaultAmountText(int runMode);

// A combination's numbers in the order they were taken from the draw (a second-tier
// combination ends with the bonus).
struct Key
{
    std::array<quint8, kMaxKey> numbers{};
    int size = 0;

    // Equal for identical keys only: same numbers in the same order.
    quint64 packed() const;
};

struct Combination
{
    Key key;
    quint64 mask = 0;  // the key's numbers as bits
    std::array<qint64, kMaxTiers> counts{};
    qint64 money = 0;  // yen
    int firstLink = -1;  // its draws, in folding order, chained through Result::links
    int lastLink = -1;

    qint64 countAll() const;
};

struct Draw
{
    DrawRecord record;
    QString kai;  // the draw-number cell as shown
};

// Whether and on what a run goes ahead, decided from the table and the settings before any work.
enum class Outcome {
    EmptyTable,        // the list has no rows: nothing changes, the sub-graph hides
    NoTier,            // no tier of the game ticked: the table empties, the sub-graph hides
    NothingSelected,   // nothing changes
    AmountUnreadable,  // a first-tier prize of 0 needs the amount, which is not a number
    Ready,
};

struct Plan
{
    Outcome outcome = Outcome::EmptyTable;
    Settings settings;
    std::vector<Draw> draws;  // the selected draws taken, in list order
    int leftOut = 0;          // selected draws left out: a number or the bonus not in 1..maxNo
    qint64 amount = 0;
    qint64 rawEntries() const;
};
Plan plan(const RowSource &table, const Settings &settings);

struct Result
{
    struct Link
    {
        int draw = 0;   // index into kai
        int next = -1;
    };

    int runMode = 0;
    std::vector<Combination> rows;  // in order of first appearance
    std::vector<Link> links;
    std::vector<QString> kai;  // draw-number text of each draw taken
    int leftOut = 0;
    qint64 rawEntries = 0;
    bool stopped = false;  // the progress callback asked to stop; rows are incomplete

    QString drawsText(int row) const;
};

// Called every few thousand combinations with the number done and in all; false stops the run.
using Progress = std::function<bool(qint64 done, qint64 total)>;
Result run(const Plan &plan, const Progress &progress = {});

// The result table: column 0 hidden, the numbers, a count per tier, the total, money and draws.
int columnCount(int runMode);
QStringList headers(int runMode);
QStringList columnKeys(int runMode);
int firstCountColumn(int runMode);
int moneyColumn(int runMode);
// A cell as the table shows it: numbers in 2 characters (two blanks past the key's end), counts
// in at least 3, money in at least 9 (longer values in full), then the draws text.
QString cellText(const Result &result, int row, int column);
// The number a number column shows, 0 where the key is shorter.
int numberAt(const Result &result, int row, int column);

QString caption();
QString tierCaption(int rank);  // "1等" .. "5等"
QString mergeCaption();
QString amountHint();
QString amountMessage();
// The line under the table when selected draws were left out; empty when none were.
QString leftOutText(int count);

} // namespace Tally
