' The dialog template of the set: one window class, one window procedure and the
' creation of the window and its controls for every dialog of the script.
[STYLE]
&h00CF0000,WS_OVERLAPPEDWINDOW
&h80880000,WS_POPUPWINDOW
&h80000000,WS_POPUP
&h40000000,WS_CHILD
&h20000000,WS_MINIMIZE
&h10000000,WS_VISIBLE
&h08000000,WS_DISABLED
&h04000000,WS_CLIPSIBLINGS
&h02000000,WS_CLIPCHILDREN
&h01000000,WS_MAXIMIZE
&h00C00000,WS_CAPTION
&h00800000,WS_BORDER
&h00400000,WS_DLGFRAME
&h00200000,WS_VSCROLL
&h00100000,WS_HSCROLL
&h00080000,WS_SYSMENU
&h00040000,WS_THICKFRAME
&h00020000,WS_MINIMIZEBOX
&h00010000,WS_MAXIMIZEBOX
&h00002000,DS_CONTEXTHELP
&h00000800,DS_CENTER
&h00001000,DS_CENTERMOUSE
&h00000400,DS_CONTROL
&h00000200,DS_SETFOREGROUND
&h00000100,DS_NOIDLEMSG
&h00000080,DS_MODALFRAME
&h00000048,DS_SHELLFONT
&h00000040,DS_SETFONT
&h00000020,DS_LOCALEDIT
&h00000010,DS_NOFAILCREATE
&h00000008,DS_FIXEDSYS
&h00000004,DS_3DLOOK
&h00000002,DS_SYSMODAL
&h00000001,DS_ABSALIGN
[EXSTYLE]
&h00000300,WS_EX_OVERLAPPEDWINDOW
&h00000188,WS_EX_PALETTEWINDOW
&h08000000,WS_EX_NOACTIVATE
&h02000000,WS_EX_COMPOSITED
&h00400000,WS_EX_LAYOUTRTL
&h00200000,WS_EX_NOREDIRECTIONBITMAP
&h00100000,WS_EX_NOINHERITLAYOUT
&h00080000,WS_EX_LAYERED
&h00040000,WS_EX_APPWINDOW
&h00020000,WS_EX_STATICEDGE
&h00010000,WS_EX_CONTROLPARENT
&h00004000,WS_EX_LEFTSCROLLBAR
&h00002000,WS_EX_RTLREADING
&h00001000,WS_EX_RIGHT
&h00000400,WS_EX_CONTEXTHELP
&h00000200,WS_EX_CLIENTEDGE
&h00000100,WS_EX_WINDOWEDGE
&h00000080,WS_EX_TOOLWINDOW
&h00000040,WS_EX_MDICHILD
&h00000020,WS_EX_TRANSPARENT
&h00000010,WS_EX_ACCEPTFILES
&h00000008,WS_EX_TOPMOST
&h00000004,WS_EX_NOPARENTNOTIFY
&h00000001,WS_EX_DLGMODALFRAME
[CONSTANT]
#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
[EVENT]
' ~DLGNAME~: the window and its controls have been created
sub ~DLGNAME~_Load(byval hWnd as HWND)
	' Set the starting values of the controls here.
end sub
' ~DLGNAME~: asked to close (close box, Alt+F4); return 0 to keep the window open
function ~DLGNAME~_QueryClose(byval hWnd as HWND) as long
	return 1
end function
' ~DLGNAME~: the window is being destroyed
sub ~DLGNAME~_Unload(byval hWnd as HWND)
end sub
[DLGPROC]
' ~DLGNAME~ "~DLGTEXT~": ~DLGX~,~DLGY~, ~DLGW~ x ~DLGH~ dialog units
'
' Creates the window of ~DLGNAME~, owned by hParent (NULL for none), with its controls.
' Returns the window, or NULL when it cannot be created.
function ~DLGNAME~_Create(byval hParent as HWND) as HWND
	dim wc as WNDCLASSEX
	dim className as zstring * 256
	dim style as DWORD
	dim exStyle as DWORD
	dim x as long
	dim y as long
	dim area as RECT
	dim origin as POINT
	className = "~DLGNAME~"
	wc.cbSize = sizeof(WNDCLASSEX)
	if GetClassInfoEx(hInstance, className, @wc) = 0 then
		wc.cbSize = sizeof(WNDCLASSEX)
		wc.lpfnWndProc = @~DLGNAME~_Proc
		wc.hInstance = hInstance
		wc.hIcon = LoadIcon(NULL, IDI_APPLICATION)
		wc.hCursor = LoadCursor(NULL, IDC_ARROW)
		wc.hbrBackground = cast(HBRUSH, COLOR_BTNFACE + 1)
		wc.lpszClassName = @className
		if RegisterClassEx(@wc) = 0 then
			return NULL
		end if
	end if
	style = ~DLGSTYLE~
	exStyle = ~DLGEXSTYLE~
	exStyle = exStyle or WS_EX_CONTROLPARENT
	if (style and DS_MODALFRAME) <> 0 then
		exStyle = exStyle or WS_EX_DLGMODALFRAME
	end if
	x = ~DLGPX~
	y = ~DLGPY~
	if (style and DS_CENTER) <> 0 then
		SystemParametersInfo(SPI_GETWORKAREA, 0, @area, 0)
		x = area.left + (area.right - area.left - ~DLGPW~) \ 2
		y = area.top + (area.bottom - area.top - ~DLGPH~) \ 2
	elseif hParent <> NULL then
		origin.x = 0
		origin.y = 0
		ClientToScreen(hParent, @origin)
		x = x + origin.x
		y = y + origin.y
	end if
	return CreateWindowEx(exStyle, className, "~DLGTEXT~", style, x, y, ~DLGPW~, ~DLGPH~, hParent, NULL, hInstance, NULL)
end function
' ~DLGNAME~: creates the controls at their pixel positions (called from WM_CREATE)
sub ~DLGNAME~_CreateControls(byval hWnd as HWND)
	dim hCtl as HWND
	dim hFont as HFONT
~DIM~
	hFont = cast(HFONT, GetStockObject(DEFAULT_GUI_FONT))
~WM_INITDIALOG~
end sub
' ~DLGNAME~: window procedure. The [WM_COMMAND] code of the controls sees id and code:
' for WM_COMMAND the control's identifier and notification code, for WM_HSCROLL and
' WM_VSCROLL (scroll bars, track bars) the identifier and the scroll request.
function ~DLGNAME~_Proc(byval hWnd as HWND, byval uMsg as UINT, byval wParam as WPARAM, byval lParam as LPARAM) as LRESULT
	dim id as long
	dim code as long
	dim pnmh as NMHDR ptr
	dim hFocus as HWND
	select case uMsg
		case WM_CREATE
			~DLGNAME~_CreateControls(hWnd)
			~DLGNAME~_Load(hWnd)
			return 0
		case WM_ACTIVATE
			' As a dialog box: the focus leaves with the window and comes back to the same
			' control, or to the first control with WS_TABSTOP.
			if loword(wParam) = WA_INACTIVE then
				hFocus = GetFocus()
				if IsChild(hWnd, hFocus) then
					SetProp(hWnd, "FocusedControl", cast(HANDLE, hFocus))
				end if
			else
				hFocus = cast(HWND, GetProp(hWnd, "FocusedControl"))
				if IsChild(hWnd, hFocus) = 0 then
					hFocus = GetNextDlgTabItem(hWnd, NULL, 0)
				end if
				if hFocus = NULL then
					hFocus = hWnd
				end if
				SetFocus(hFocus)
			end if
			return 0
		case WM_COMMAND, WM_HSCROLL, WM_VSCROLL
			if uMsg = WM_COMMAND then
				id = loword(wParam)
				code = hiword(wParam)
			else
				id = GetDlgCtrlID(cast(HWND, lParam))
				code = loword(wParam)
			end if
~WM_COMMAND~
		case WM_NOTIFY
			pnmh = cast(NMHDR ptr, lParam)
			id = pnmh->idFrom
~WM_NOTIFY~
		case WM_TIMER
~WM_TIMER~
		case WM_CLOSE
			if ~DLGNAME~_QueryClose(hWnd) = 0 then
				return 0
			end if
~WM_CLOSE~
			DestroyWindow(hWnd)
			return 0
		case WM_DESTROY
~WM_DESTROY~
			~DLGNAME~_Unload(hWnd)
			RemoveProp(hWnd, "FocusedControl")
			if hWnd = hMainDialog then
				PostQuitMessage(0)
			end if
			return 0
	end select
	return DefWindowProc(hWnd, uMsg, wParam, lParam)
end function
