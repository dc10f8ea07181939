#include "core/toolwindows.h"

// Tool windows and menu entries of the frequency graphs and trend grids.
void registerGraphWindows()
{
}
