#pragma once

#include <QtCore/qglobal.h>

#if defined(HORLOGIX_LIBRARY)
#  define HORLOGIX_EXPORT Q_DECL_EXPORT
#else
#  define HORLOGIX_EXPORT Q_DECL_IMPORT
#endif
