#include "core/toolwindows.h"

// Tool windows and menu entries of the search, past-result check and tally.
void registerLookupWindows()
{
}
