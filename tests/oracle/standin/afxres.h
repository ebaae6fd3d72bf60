/* Stand-in for the class library header that dialog editors put in resource scripts: the system
 * constants, IDC_STATIC and the library's standard command and string ids. The ids show up in
 * menus, accelerators and string tables, and only ID_HELP and the ID_WIZ... ones in dialogs. The
 * documentation names these ids without their values; the values below are the commonly
 * published ones and are not checked against anything here. */
#ifndef FW_STANDIN_AFXRES_H
#define FW_STANDIN_AFXRES_H
#include "winres.h"
#include "afxids.h"
#endif
