/* Stand-in for the template library's resource header: the system constants with IDC_STATIC
 * (scripts that include only this header use them), the standard command ids (shared with
 * afxres.h, same caveat on their values) and its string ids; ID_EDIT_DELETE and ID_VIEW_REFRESH, which scripts of
 * this library use without defining them, have guessed values. */
#ifndef FW_STANDIN_ATLRES_H
#define FW_STANDIN_ATLRES_H
#include "winres.h"
#include "afxids.h"
#define ATL_IDS_IDLEMESSAGE     0xE001
#define ATL_IDS_SCSIZE          0xEF00
#define ATL_IDS_SCMOVE          0xEF01
#define ATL_IDS_SCMINIMIZE      0xEF02
#define ATL_IDS_SCMAXIMIZE      0xEF03
#define ATL_IDS_SCNEXTWINDOW    0xEF04
#define ATL_IDS_SCPREVWINDOW    0xEF05
#define ATL_IDS_SCCLOSE         0xEF06
#define ATL_IDS_SCRESTORE       0xEF12
#define ATL_IDS_SCTASKLIST      0xEF13
#define ATL_IDS_MDICHILD        0xEF1F
#define ATL_IDS_MRU_FILE        0xEFFF
#ifndef ID_EDIT_DELETE
#define ID_EDIT_DELETE          ID_EDIT_CLEAR
#endif
#ifndef ID_VIEW_REFRESH
#define ID_VIEW_REFRESH         0xE816
#endif
#endif
