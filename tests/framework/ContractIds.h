// Ids of the contract suite's dialog templates and controls; shared by the resource
// script and the tests.
#pragma once

#define IDD_CONTRACT 100
#define IDD_CONTRACT_MODAL 101
#define IDD_PAGE_A 110
#define IDD_PAGE_B 111
#define IDD_PAGE_C 112
#define IDI_ROW 120
#define IDI_ROW_IN_USE 121
#define IDB_WATERMARK 130
#define IDB_HEADER 131
#define IDM_ROWS 140
#define ID_SWITCH 32773
#define ID_ADD 32774
#define ID_REMOVE 32775

#define IDC_EDIT 1001
#define IDC_EDIT2 1002
#define IDC_COMBO 1003
#define IDC_LIST 1004
#define IDC_ROWS 1005
#define IDC_CHECK 1006
#define IDC_RADIO1 1007
#define IDC_RADIO2 1008
#define IDC_BUTTON 1009
#define IDC_PROGRESS 1010
#define IDC_SPIN 1011
#define IDC_LABEL 1012
#define IDC_FRAME 1013
#define IDC_PAGE_EDIT 1020
#define IDC_NUMBER 1014
#define IDC_STATUS 1016
#define IDC_DESCRIPTION 1017
#define IDC_NUMBER_SPIN 1015
#define IDC_STATE_ICON 1018
#define IDC_OWNER_ROWS 1019
