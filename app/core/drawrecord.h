#pragma once

#include "core/game.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// One draw as numbers, built once per row from the cells the list shows (so a value cut by
// its cell width is cut here too). Analyses read these; the cell texts stay what is shown.
struct DrawRecord
{
    static constexpr int kMaxPicks = 6;
    static constexpr int kMaxTiers = 5;
    // A number cell that is blank or not a whole number.
    static constexpr int kNoNumber = -1;

    std::optional<qint64> drawNo;  // the Kai cell, when it is a whole number
    QDate date;                    // invalid when the date text is not a date
    QString dateText;              // as shown
    int picks = 0;                 // main numbers per draw: 6 or 5
    std::array<int, kMaxPicks> numbers{kNoNumber, kNoNumber, kNoNumber, kNoNumber, kNoNumber, kNoNumber};
    int bonus = kNoNumber;
    std::array<qint64, kMaxTiers> winners{};  // blank or odd cells count as 0
    std::array<qint64, kMaxTiers> prizes{};   // yen per winning ticket
    qint64 carry = 0;
    quint64 mask = 0;    // bit n set for each main number n in 1..maxNo
    // Every main number and the bonus a whole number in 1..maxNo, all different, and (in a
    // table) the first row of its draw number.
    bool valid = false;

    // Whether the number is one of the main numbers (of the game's range).
    bool hasMain(int number) const { return number >= 1 && number < 64 && (mask >> number) & 1u; }
    qint64 prize(int tier) const { return tier >= 1 && tier <= kMaxTiers ? prizes[size_t(tier - 1)] : 0; }
};

// Bit of a number in a mask of numbers 1..63.
constexpr quint64 numberBit(int number) { return quint64(1) << number; }

// The record of a row whose cells (column 0 first, in the layout of `columns`) are given.
DrawRecord makeDrawRecord(const QList<ColumnLayout> &columns, int maxNo, const QList<QStringView> &cells);

// Draw dates as the files write them ("2000/10/05"); an invalid date for any other text.
QDate parseDrawDate(QStringView text);
