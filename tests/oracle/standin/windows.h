/* Stand-in: what a resource script gets from the system's main header (its resource part). */
#include "winresrc.h"
