// Resource ids of Tovix.exe, shared by the resource scripts and the code. Each area keeps
// its ids in its own block; the numbers are fixed and never reused.
#ifndef TOVIX_RES_RESOURCE_H
#define TOVIX_RES_RESOURCE_H

// Program ----------------------------------------------------------------------------
#define IDI_PROGRAM 128  // the program's icon, the first icon of the file

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

// Pages ------------------------------------------------------------------------------
#define IDD_NETWORK_STATUS 101

#endif
