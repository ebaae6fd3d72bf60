' List views (class "SysListView32").
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
&h00000003,LVS_LIST
&h00000002,LVS_SMALLICON
&h00000001,LVS_REPORT
&h00000004,LVS_SINGLESEL
&h00000008,LVS_SHOWSELALWAYS
&h00000010,LVS_SORTASCENDING
&h00000020,LVS_SORTDESCENDING
&h00000040,LVS_SHAREIMAGELISTS
&h00000080,LVS_NOLABELWRAP
&h00000100,LVS_AUTOARRANGE
&h00000200,LVS_EDITLABELS
&h00000400,LVS_OWNERDRAWFIXED
&h00000800,LVS_ALIGNLEFT
&h00001000,LVS_OWNERDATA
&h00002000,LVS_NOSCROLL
&h00004000,LVS_NOCOLUMNHEADER
&h00008000,LVS_NOSORTHEADER
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
[INITIAL]
icc.dwICC = icc.dwICC or ICC_LISTVIEW_CLASSES
[WM_INITDIALOG]
' ~CTLID~: list view at ~CTLX~,~CTLY~, ~CTLW~ x ~CTLH~ dialog units
hCtl = CreateWindowEx(~CTLEXSTYLE~, "SysListView32", "~CTLTEXT~", ~CTLSTYLE~, ~CTLPX~, ~CTLPY~, ~CTLPW~, ~CTLPH~, hWnd, cast(HMENU, ~CTLID~), hInstance, NULL)
SendMessage(hCtl, WM_SETFONT, cast(WPARAM, hFont), 0)
SendMessage(hCtl, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT)
~DLGNAME~_~CTLNAME~_Fill(hWnd)
[WM_NOTIFY]
if id = ~CTLID~ then
	select case pnmh->code
		case LVN_ITEMCHANGED
			~DLGNAME~_~CTLNAME~_ItemChanged(hWnd, cast(NMLISTVIEW ptr, pnmh))
		case LVN_COLUMNCLICK
			~DLGNAME~_~CTLNAME~_ColumnClick(hWnd, cast(NMLISTVIEW ptr, pnmh)->iSubItem)
		case NM_DBLCLK
			~DLGNAME~_~CTLNAME~_DblClick(hWnd, cast(NMITEMACTIVATE ptr, pnmh)->iItem)
	end select
end if
[EVENT]
' ~DLGNAME~, list view ~CTLID~: the state of entry info->iItem changed
sub ~DLGNAME~_~CTLNAME~_ItemChanged(byval hWnd as HWND, byval info as NMLISTVIEW ptr)
	' (info->uNewState and LVIS_SELECTED) <> 0 when the entry is selected now.
end sub
' ~DLGNAME~, list view ~CTLID~: a column header was clicked (column from 0)
sub ~DLGNAME~_~CTLNAME~_ColumnClick(byval hWnd as HWND, byval column as long)
end sub
' ~DLGNAME~, list view ~CTLID~: an entry was double-clicked (-1 for none)
sub ~DLGNAME~_~CTLNAME~_DblClick(byval hWnd as HWND, byval item as long)
end sub
[SAMPLE]
' ~DLGNAME~, list view ~CTLID~: add a column (shown in report view)
sub ~DLGNAME~_~CTLNAME~_AddColumn(byval hWnd as HWND, byval index as long, byref title as string, byval pixels as long)
	dim col as LVCOLUMN
	col.mask = LVCF_TEXT or LVCF_WIDTH or LVCF_SUBITEM
	col.cx = pixels
	col.pszText = strptr(title)
	col.iSubItem = index
	SendDlgItemMessage(hWnd, ~CTLID~, LVM_INSERTCOLUMN, index, cast(LPARAM, @col))
end sub
' ~DLGNAME~, list view ~CTLID~: add an entry with two more columns, returning its index
function ~DLGNAME~_~CTLNAME~_AddRow(byval hWnd as HWND, byref text1 as string, byref text2 as string, byref text3 as string) as long
	dim item as LVITEM
	dim row as long
	item.mask = LVIF_TEXT
	item.iItem = SendDlgItemMessage(hWnd, ~CTLID~, LVM_GETITEMCOUNT, 0, 0)
	item.iSubItem = 0
	item.pszText = strptr(text1)
	row = SendDlgItemMessage(hWnd, ~CTLID~, LVM_INSERTITEM, 0, cast(LPARAM, @item))
	item.iSubItem = 1
	item.pszText = strptr(text2)
	SendDlgItemMessage(hWnd, ~CTLID~, LVM_SETITEMTEXT, row, cast(LPARAM, @item))
	item.iSubItem = 2
	item.pszText = strptr(text3)
	SendDlgItemMessage(hWnd, ~CTLID~, LVM_SETITEMTEXT, row, cast(LPARAM, @item))
	return row
end function
' ~DLGNAME~, list view ~CTLID~: sample columns and entries
sub ~DLGNAME~_~CTLNAME~_Fill(byval hWnd as HWND)
	~DLGNAME~_~CTLNAME~_AddColumn(hWnd, 0, "Name", 120)
	~DLGNAME~_~CTLNAME~_AddColumn(hWnd, 1, "Size", 60)
	~DLGNAME~_~CTLNAME~_AddColumn(hWnd, 2, "Changed", 80)
	~DLGNAME~_~CTLNAME~_AddRow(hWnd, "notes.txt", "2 KB", "2024-03-01")
	~DLGNAME~_~CTLNAME~_AddRow(hWnd, "report.doc", "48 KB", "2024-02-12")
	~DLGNAME~_~CTLNAME~_AddRow(hWnd, "photo.png", "310 KB", "2023-11-30")
end sub
