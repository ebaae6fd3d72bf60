#!/usr/bin/env bash
# The binding and its recording twin export exactly the functions dlgsample uses, all declared
# in wxc.h; dlgsample binds them by import from libwx-c and from nothing of wxWidgets directly.
# Usage: exports_test.sh WXC_H LIBWXC RECORD_LIBWXC [DLGSAMPLE]
set -euo pipefail
header=$1 real=$2 record=$3 dlgsample=${4:-}

expected="wxApp_ctor wxApp_RegisterVirtual wxApp_Run wxApp_OnInit wxApp_OnExit wxSize_ctor
wxFrame_ctor wxPanel_ctor wxStaticText_ctor wxButton_ctor wxComboBox_ctor wxTextCtrl_ctor
wxListView_ctor wxListItem_ctor wxFrame_Create wxPanel_Create wxStaticText_Create
wxButton_Create wxComboBox_Create wxTextCtrl_Create wxListView_Create wxComboBox_Append
wxListCtrl_InsertTextColumn wxListCtrl_InsertItem wxListCtrl_SetItem_By_Row_Col
wxEvtHandler_proxy wxEvtHandler_Connect wxEvent_EVT_COMMAND_BUTTON_CLICKED
wxEvent_EVT_COMMAND_COMBOBOX_SELECTED wxEvent_EVT_COMMAND_LIST_ITEM_SELECTED wxEvent_EVT_SIZE
wxEvent_GetEventObject wxComboBox_GetSelection wxListView_GetFirstSelected
wxWindow_GetClientRect wxWindow_CenterOnScreen wxWindow_Show wxMsgBox"

sorted() { tr ' ' '\n' | grep . | sort; }
want=$(sorted <<<"${expected//$'\n'/ }")
failed=0
check() {  # name, list
  if [ "$2" != "$want" ]; then
    echo "FAIL: $1 differs from the binding's functions (- expected, + found):" >&2
    diff <(echo "$want") <(echo "$2") >&2 || true
    failed=1
  fi
}
check "$header" "$(grep -v '^#' "$header" | grep -o 'WXC_API [^(]*' | awk '{print $NF}' | tr -d '*' | sorted)"
check "$real" "$(nm -D --defined-only "$real" | awk '{print $3}' | sorted)"
check "$record" "$(nm -D --defined-only "$record" | awk '{print $3}' | sorted)"

if [ -n "$dlgsample" ]; then
  needed=$(readelf -d "$dlgsample" | grep NEEDED)
  if ! grep -q '\[libwx-c.so\]' <<<"$needed" || grep -q 'libwx_' <<<"$needed"; then
    echo "FAIL: dlgsample should need libwx-c.so and no wxWidgets library:" >&2
    echo "$needed" >&2
    failed=1
  fi
fi
[ "$failed" -eq 0 ] && echo "PASS: $(wc -l <<<"$want") functions exported, as declared"
exit "$failed"
