#pragma once

#include <QList>
#include <QString>

// Which tier buttons of the combination list have pattern files for the current pool.
struct PatternAvailability
{
    struct Tier
    {
        int tier = 0;   // 3, 4, 5
        int files = 0;  // matching files in the folder
    };
    QList<Tier> tiers;  // every tier the game offers, in button order
    QString statusText; // "パターンファイル 3等 2個  4等 1個  ", or empty when no file matches

    // Files of that tier; 0 for a tier the game does not offer.
    int files(int tier) const;
    bool isEnabled(int tier) const { return files(tier) > 0; }
};

// The tiers whose buttons a game shows: 3, 4, 5 for LOTO6 (6 picks), 3, 4 for miniLOTO.
QList<int> offeredTiers(int picks);

// Scans `folder` for the files of each offered tier for a pool of `pool` numbers with `keys`
// key numbers.
PatternAvailability CheckPatternFiles(const QString &folder, int picks, int pool, int keys);
