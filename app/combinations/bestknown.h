#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

// The smallest coverings known (v positions, k-subsets, every t-subset covered), shipped as
// data/wheels/BEST_KNOWN_SIZES.csv with columns v,k,t,best_known_size,schonheim_lower_bound.
namespace BestKnown {

struct Entry
{
    int v = 0;
    int k = 0;
    int t = 0;
    qint64 size = 0;
    qint64 lowerBound = 0;
};

// The table read from the shipped file (read once); empty when the file is missing.
const QList<Entry> &entries();
// The best known size, or -1 when the table has no such row.
qint64 size(int v, int k, int t);

// Reads the table from a file's bytes; malformed lines are skipped.
QList<Entry> parse(const QByteArray &bytes);
QString shippedPath();

} // namespace BestKnown
