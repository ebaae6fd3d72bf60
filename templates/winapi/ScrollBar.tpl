' Scroll bars (class "ScrollBar"). Their messages arrive as WM_HSCROLL / WM_VSCROLL,
' which the dialog procedure hands to the [WM_COMMAND] code with the request in "code".
[STYLE]
&h80000000,WS_POPUP
&h40000000,WS_CHILD
&h20000000,WS_MINIMIZE
&h10000000,WS_VISIBLE
&h08000000,WS_DISABLED
&h04000000,WS_CLIPSIBLINGS
&h02000000,WS_CLIPCHILDREN
&h01000000,WS_MAXIMIZE
&h00800000,WS_BORDER
&h00400000,WS_DLGFRAME
&h00200000,WS_VSCROLL
&h00100000,WS_HSCROLL
&h00080000,WS_SYSMENU
&h00040000,WS_THICKFRAME
&h00020000,WS_GROUP
&h00010000,WS_TABSTOP
&h00000001,SBS_VERT
&h00000002,SBS_TOPALIGN
&h00000004,SBS_BOTTOMALIGN
&h00000008,SBS_SIZEBOX
&h00000010,SBS_SIZEGRIP
[EXSTYLE]
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
[WM_INITDIALOG]
' ~CTLID~: scroll bar at ~CTLX~,~CTLY~, ~CTLW~ x ~CTLH~ dialog units
hCtl = CreateWindowEx(~CTLEXSTYLE~, "ScrollBar", "~CTLTEXT~", ~CTLSTYLE~, ~CTLPX~, ~CTLPY~, ~CTLPW~, ~CTLPH~, hWnd, cast(HMENU, ~CTLID~), hInstance, NULL)
SendMessage(hCtl, WM_SETFONT, cast(WPARAM, hFont), 0)
~DLGNAME~_~CTLNAME~_Setup(hWnd)
[WM_COMMAND]
if uMsg <> WM_COMMAND and id = ~CTLID~ then
	~DLGNAME~_~CTLNAME~_Scroll(hWnd, ~DLGNAME~_~CTLNAME~_Track(hWnd, code))
end if
[EVENT]
' ~DLGNAME~, scroll bar ~CTLID~: moved to a new position
sub ~DLGNAME~_~CTLNAME~_Scroll(byval hWnd as HWND, byval position as long)
end sub
[SAMPLE]
' ~DLGNAME~, scroll bar ~CTLID~: range 0 to 100, ten to a page
sub ~DLGNAME~_~CTLNAME~_Setup(byval hWnd as HWND)
	dim info as SCROLLINFO
	info.cbSize = sizeof(SCROLLINFO)
	info.fMask = SIF_RANGE or SIF_PAGE or SIF_POS
	info.nMin = 0
	info.nMax = 100
	info.nPage = 10
	info.nPos = 0
	SetScrollInfo(GetDlgItem(hWnd, ~CTLID~), SB_CTL, @info, 1)
end sub
' ~DLGNAME~, scroll bar ~CTLID~: moves the thumb as the request asks, returns the new position
function ~DLGNAME~_~CTLNAME~_Track(byval hWnd as HWND, byval request as long) as long
	dim hBar as HWND
	dim info as SCROLLINFO
	hBar = GetDlgItem(hWnd, ~CTLID~)
	info.cbSize = sizeof(SCROLLINFO)
	info.fMask = SIF_ALL
	GetScrollInfo(hBar, SB_CTL, @info)
	select case request
		case SB_LINEUP
			info.nPos = info.nPos - 1
		case SB_LINEDOWN
			info.nPos = info.nPos + 1
		case SB_PAGEUP
			info.nPos = info.nPos - 10
		case SB_PAGEDOWN
			info.nPos = info.nPos + 10
		case SB_THUMBTRACK, SB_THUMBPOSITION
			info.nPos = info.nTrackPos
		case SB_TOP
			info.nPos = info.nMin
		case SB_BOTTOM
			info.nPos = info.nMax
	end select
	info.fMask = SIF_POS
	SetScrollInfo(hBar, SB_CTL, @info, 1)
	return GetScrollPos(hBar, SB_CTL)
end function
