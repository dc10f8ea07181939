#include "updates/updatelog.h"

using namespace Qt::StringLiterals;

QString UpdateEntry::line() const
{
    const QString mark = outcome == Outcome::Failed ? u"失敗 — "_s : QString();
    return step + u"："_s + mark + text;
}
