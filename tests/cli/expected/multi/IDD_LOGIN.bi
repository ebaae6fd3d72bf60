sub IDD_LOGIN_IDC_OK_Sample()
	' 90,60 50x14
end sub
sub IDD_LOGIN_IDC_REM_Sample()
	' 10,30 60x10
end sub


sub IDD_LOGIN_Init()
	hIDC_OK = CreateWindowEx(0, "Button", "OK", WS_CHILD or WS_VISIBLE or WS_TABSTOP, 135, 98, 75, 23)
	hIDC_USER = CreateWindowEx(0, "Edit", "user", WS_CHILD or WS_VISIBLE or ES_AUTOHSCROLL, 15, 16, 195, 20)
	hIDC_REM = CreateWindowEx(0, "Button", "Remember", WS_CHILD or WS_VISIBLE or WS_TABSTOP or BS_AUTOCHECKBOX, 15, 49, 90, 16)

end sub
sub IDD_LOGIN_IDC_OK_Click()
end sub
sub IDD_LOGIN_IDC_REM_Click()
end sub
