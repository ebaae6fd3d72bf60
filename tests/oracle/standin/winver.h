/* Stand-in: the version resource constants. */
#include "verrsrc.h"
