' ~PROJNAME~.bas
'
' Made by Formwright with the template set "winapi" from the resource script ~PROJNAME~.rc.
' Converting the script again replaces this file; the previous copy goes to the folder
' "bak" beside the script when that folder exists.
'
' Every dialog of the script becomes a window class of its own with a window procedure
' (~DLGMAIN~_Proc and its siblings at the end of this file). The program creates the
' first dialog, ~DLGMAIN~, and runs the message loop until that window is destroyed.
' The other dialogs are opened with <name>_Create(hOwner).

~OPTION~
#ifndef _WIN32_WINNT
#define _WIN32_WINNT &h0602
#endif
#include once "windows.bi"
#include once "win/commctrl.bi"
~INCLUDE~

' Identifiers of the resource script
~CONSTANT~

' Shared by all dialogs: the program's module and its main window
dim shared hInstance as HINSTANCE
dim shared hMainDialog as HWND
~GLOBAL~

' Procedures of the dialogs and their controls
~DECLARE~

' Start: common control classes, the main dialog, the message loop
dim icc as INITCOMMONCONTROLSEX
dim loopMsg as MSG
dim hTop as HWND
dim handled as long

hInstance = GetModuleHandle(NULL)
icc.dwSize = sizeof(INITCOMMONCONTROLSEX)
icc.dwICC = 0
~INITIAL~
if icc.dwICC <> 0 then
	InitCommonControlsEx(@icc)
end if

hMainDialog = ~DLGMAIN~_Create(NULL)
if hMainDialog = NULL then
	MessageBox(NULL, "The window ~DLGMAIN~ could not be created.", "~DLGMAIN~", MB_ICONERROR)
	end 1
end if
ShowWindow(hMainDialog, SW_SHOWNORMAL)
UpdateWindow(hMainDialog)

' Tab, the arrow keys, Enter and Esc move between the controls of whichever
' dialog window has the message, as in a dialog box.
do while GetMessage(@loopMsg, NULL, 0, 0) > 0
	handled = 0
	if loopMsg.hwnd <> NULL then
		hTop = GetAncestor(loopMsg.hwnd, GA_ROOT)
		if hTop <> NULL then
			handled = IsDialogMessage(hTop, @loopMsg)
		end if
	end if
	if handled = 0 then
		TranslateMessage(@loopMsg)
		DispatchMessage(@loopMsg)
	end if
loop
end cast(long, loopMsg.wParam)

' The dialogs: creation, controls, window procedures
~DIALOG~
