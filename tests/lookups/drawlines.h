#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The data lines of a draw-result file read directly (fields split at commas), so tests can
// count on their own what the program should find.
namespace drawlines {

struct Draw
{
    QStringList fields;
    int kai() const { return fields.value(0).toInt(); }
    QList<int> mains(int picks) const;
    int bonus(int picks) const { return fields.value(2 + picks).toInt(); }
    // Prize per winner of a tier (1-based) as the file gives it.
    QString prize(int picks, int tier) const;
};

QList<Draw> read(const QString &path);

// Tier a set of distinct numbers wins in a draw, by the published rules, 0 for none.
int expectedTier(int picks, const QList<int> &numbers, const Draw &draw);

} // namespace drawlines
