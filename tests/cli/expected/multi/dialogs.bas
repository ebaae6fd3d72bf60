main of @RCPATH@
[options]
' dialog option for IDD_LOGIN
' dialog option for IDD_ABOUT
[includes]
#include once "edit.bi"
[constants]
#define IDD_LOGIN 1000
#define IDC_OK 1001
const DLG_~DLGNAME~ = 1
#define IDD_ABOUT 1100
const DLG_~DLGNAME~ = 1
[globals]
dim shared hIDC_OK as integer
dim shared hIDC_REM as integer
dim shared hIDC_CLOSE as integer
[declares]
declare sub IDD_LOGIN_IDC_OK_Sample()
declare sub IDD_LOGIN_IDC_REM_Sample()
declare sub IDD_LOGIN_Init()
declare sub IDD_LOGIN_IDC_OK_Click()
declare sub IDD_LOGIN_IDC_REM_Click()
declare sub IDD_ABOUT_IDC_CLOSE_Sample()
declare sub IDD_ABOUT_Init()
declare sub IDD_ABOUT_IDC_CLOSE_Click()
declare function IDD_LOGIN_Proc(hwnd as integer) as integer
declare function IDD_ABOUT_Proc(hwnd as integer) as integer

#include once "IDD_LOGIN.bi"
#include once "IDD_ABOUT.bi"
[initial]
InitEdit(IDC_USER)
start IDD_LOGIN
function IDD_LOGIN_Proc(hwnd as integer) as integer
	' Log in at 6,5 size 150x80, pixels 9,8 233x157
	' style WS_CAPTION or WS_SYSMENU or WS_VISIBLE or DS_SETFONT ex WS_EX_TOPMOST
	dim btnIDC_OK as integer
	dim btnIDC_REM as integer

	select case msg
		case WM_INITDIALOG
	hIDC_OK = CreateWindowEx(0, "Button", "OK", WS_CHILD or WS_VISIBLE or WS_TABSTOP, 135, 98, 75, 23)
	hIDC_USER = CreateWindowEx(0, "Edit", "user", WS_CHILD or WS_VISIBLE or ES_AUTOHSCROLL, 15, 16, 195, 20)
	hIDC_REM = CreateWindowEx(0, "Button", "Remember", WS_CHILD or WS_VISIBLE or WS_TABSTOP or BS_AUTOCHECKBOX, 15, 49, 90, 16)

		case WM_COMMAND
			if id = IDC_OK then IDD_LOGIN_IDC_OK_Click()
			if id = IDC_REM then IDD_LOGIN_IDC_REM_Click()

		case WM_CLOSE
			' close IDC_USER

	end select
end function
function IDD_ABOUT_Proc(hwnd as integer) as integer
	' About at 0,0 size 100x50, pixels 0,0 0x19
	' style WS_CAPTION or WS_SYSMENU or WS_VISIBLE or DS_SETFONT ex 0
	dim btnIDC_CLOSE as integer

	select case msg
		case WM_INITDIALOG
	hIDC_CLOSE = CreateWindowEx(0, "Button", "Close", WS_CHILD or WS_VISIBLE or WS_TABSTOP, 38, 49, 75, 23)

		case WM_COMMAND
			if id = IDC_CLOSE then IDD_ABOUT_IDC_CLOSE_Click()

		case WM_CLOSE

	end select
end function
end
