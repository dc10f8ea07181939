#include "core/format.h"

using namespace Qt::StringLiterals;

namespace Format {

QString selectionCount(qint64 selected, qint64 total)
{
    return u"選択数："_s + QString::number(selected) + u'/' + QString::number(total);
}

} // namespace Format
