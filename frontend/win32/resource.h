// Resource and control ids of the main dialog; shared by the resource script and the code.
#pragma once

#define IDD_MAIN 1000
#define IDC_RC_FILE 1001
#define IDC_TEMPLATE_LIST 1002
#define IDC_MULTI_FILE 1003
#define IDC_STATUS 1004
#define IDC_FULL_SYNTAX 1005
