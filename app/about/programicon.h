#pragma once

#include <QIcon>

// The program's icon (a lottery ball), in every size the program ships; also fit as the icon of
// the program's windows.
QIcon programIcon();
