/* Stand-in for the header resource scripts include for the system's constants: window, dialog and
 * control styles, dialog button ids, language ids, version constants, common controls. Written
 * for the oracle runs (neither oracle has the system headers here). */
#ifndef FW_STANDIN_WINRESRC_H
#define FW_STANDIN_WINRESRC_H
#ifndef RC_INVOKED
#define RC_INVOKED 1
#endif
#ifndef _WIN32
#define _WIN32
#endif
#include "winuser.rh"
#include "winnt.rh"
#include "commctrl.h"
#include "verrsrc.h"
#include "dlgs.h"
#endif
