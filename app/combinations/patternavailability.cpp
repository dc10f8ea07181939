#include "combinations/patternavailability.h"

#include "combinations/patternfolder.h"

using namespace Qt::StringLiterals;

int PatternAvailability::files(int tier) const
{
    for (const Tier &t : tiers) {
        if (t.tier == tier)
            return t.files;
    }
    return 0;
}

QList<int> offeredTiers(int picks)
{
    QList<int> out;
    for (int tier = 3; tier <= picks - 1; ++tier)
        out.append(tier);
    return out;
}

PatternAvailability CheckPatternFiles(const QString &folder, int picks, int pool, int keys)
{
    PatternAvailability availability;
    QString summary;
    for (const int tier : offeredTiers(picks)) {
        const int files = int(PatternFolder::matchingFiles(folder, {picks, tier, pool, keys}).size());
        availability.tiers.append({tier, files});
        if (files > 0)
            summary += QString::number(tier) + u"等 "_s + QString::number(files) + u"個  "_s;
    }
    if (!summary.isEmpty())
        availability.statusText = u"パターンファイル "_s + summary;
    return availability;
}
