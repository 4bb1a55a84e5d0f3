// Resource ids of Tovix.exe, shared by the resource scripts and the code. Each area keeps
// its ids in its own block; the numbers are fixed and never reused.
#ifndef TOVIX_RES_RESOURCE_H
#define TOVIX_RES_RESOURCE_H

// Program ----------------------------------------------------------------------------
#define IDI_PROGRAM 128  // the program's icon, the first icon of the file
#define IDC_STATIC (-1)   // controls that the code never addresses

// Start-up ---------------------------------------------------------------------------
#define IDS_APP_TITLE 61213  // also the single-instance object's name
#define IDS_NO_WINDOWS_VERSION 61243
#define IDS_NOT_SUPPORTED 61244
#define IDS_NO_PROGRAM_PATH 61245
#define IDS_NO_ADAPTER_LIBRARY 61246    // %s: library file
#define IDS_NO_ADAPTER_OPERATION 61247  // %s: library file, %s: operation
#define IDS_NOTIFICATION_FAILED 61248
#define IDS_NO_RADIO_HOTKEY 62029

// Main window ------------------------------------------------------------------------
#define IDS_OK 61240
#define IDS_CANCEL 61241
#define IDS_RADIO_OFF_HOTKEY 61259
#define ID_RADIO_TOGGLE 32772  // command of the radio check box, tray menu and Alt+F2 hotkey
#define IDC_RADIO_OFF 1252     // the radio check box below the tabs
#define IDS_PROFILES_UNREADABLE 61260  // %s: the profile file

// Tray icon and its menu
#define IDR_TRAY_MENU 129
#define ID_TRAY_RESTORE 32778
#define ID_TRAY_EXIT 32781
#define IDI_TRAY_CONNECTED 130
#define IDI_TRAY_NO_CONNECTION 132
#define IDI_TRAY_UNPLUGGED 146
#define IDS_TRAY_UNPLUGGED 61252
#define IDS_TRAY_CONNECTED 61253
#define IDS_TRAY_NO_CONNECTION 61254
#define IDS_TRAY_SCANNING 61255
#define IDS_TURN_RADIO_OFF 61257
#define IDS_TURN_RADIO_ON 61258

// Pages ------------------------------------------------------------------------------
#define IDD_NETWORK_STATUS 101
#define IDD_PROFILE_MANAGER 102
#define IDD_SITE_SURVEY 103
#define IDD_STATISTICS 104
#define IDD_ABOUT 105
#define IDD_DEBUG 113
#define IDD_ADMIN 114
#define IDD_ADVANCED 115
#define IDD_TEST 123
#define IDD_DETAIL_STATISTICS 124

// Readme page, shown while Zero Configuration holds the card
#define IDD_README 130
#define IDI_README 163

#endif
