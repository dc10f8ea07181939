#pragma once

#include "combinations/patternfolder.h"

#include <QString>
#include <QStringList>

// Which matching pattern file a tier button loads next. Repeated clicks walk through the
// matching files in name order and wrap around; a request with another pool size, tier or key
// count starts again at the first file.
class PatternCursor
{
public:
    // The file to load for `request` out of `files` (its matching files in name order), and the
    // cursor moved on to the one after it. Empty when no file matches.
    QString next(const PatternFolder::Request &request, const QStringList &files);

private:
    PatternFolder::Request m_last{-1, -1, -1, -1};
    int m_index = 0;
};
