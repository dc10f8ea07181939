#include "about/programicon.h"

using namespace Qt::StringLiterals;

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 256})
        icon.addFile(u":/about/icons/zemvara-%1.png"_s.arg(size), QSize(size, size));
    return icon;
}
