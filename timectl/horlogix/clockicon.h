#pragma once

#include "horlogix/horlogix_global.h"

#include <QIcon>
#include <QPixmap>

namespace horlogix {

// The control's picture: a clock face with a small network mark, drawn rather than shipped so
// it stays sharp at any device pixel ratio.
HORLOGIX_EXPORT QPixmap clockPixmap(int size, qreal devicePixelRatio = 1.0);
HORLOGIX_EXPORT QIcon clockIcon();

} // namespace horlogix
