/* Stand-in for the header dialog editors write into resource scripts: the system constants and
 * IDC_STATIC. */
#ifndef FW_STANDIN_WINRES_H
#define FW_STANDIN_WINRES_H
#include "winresrc.h"
#ifdef IDC_STATIC
#undef IDC_STATIC
#endif
#define IDC_STATIC      (-1)
#endif
