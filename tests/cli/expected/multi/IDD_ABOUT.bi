sub IDD_ABOUT_IDC_CLOSE_Sample()
	' 25,30 50x14
end sub


sub IDD_ABOUT_Init()
	hIDC_CLOSE = CreateWindowEx(0, "Button", "Close", WS_CHILD or WS_VISIBLE or WS_TABSTOP, 38, 49, 75, 23)

end sub
sub IDD_ABOUT_IDC_CLOSE_Click()
end sub
