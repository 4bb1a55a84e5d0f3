// Resource ids of Tovix.exe, shared by the resource scripts and the code. Each area keeps
// its ids in its own block; the numbers are fixed and never reused.
#ifndef TOVIX_RES_RESOURCE_H
#define TOVIX_RES_RESOURCE_H

// Program ----------------------------------------------------------------------------
#define IDI_PROGRAM 128  // the program's icon, the first icon of the file
#define IDC_STATIC (-1)  // controls that the code never addresses

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
#define IDS_AUTO_LINK_FAILED 61262
#define IDS_PROFILES_DAMAGED 61263    // %s: the profile file, %s: where it is kept
#define IDS_PROFILES_NOT_SAVED 61264  // %s: the profile file

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

// Admin page (114): export and import of profile files
#define IDC_ADMIN_IMPORT 1081
#define IDC_ADMIN_EXPORT 1082
#define IDS_IMPORT_INCOMPLETE 62201  // %s: the file, %u: how many profiles it brought
#define IDS_EXPORT_FAILED 62202      // %s: the file

// Readme page, shown while Zero Configuration holds the card
#define IDD_README 130
#define IDI_README 163

// Site Survey page (103)
#define IDC_SS_TEST 1013    // hidden and disabled
#define IDC_SS_PEERS 1015   // "Display Peer-To-Peer stations"
#define IDC_SS_80211G 1016  // "Display 802.11g Access Points"
#define IDC_SS_80211A 1017  // disabled; no part in the filter
#define IDC_SS_80211B 1018  // "Display 802.11b Access Points" (802.11a ones too)
#define IDC_SS_LIST 1026
#define IDC_SS_FILTER 1031  // hidden and disabled
#define IDC_SS_REFRESH 1078
#define IDC_SS_ASSOCIATE 1079
#define IDC_SS_DISASSOCIATE 1080  // hidden and disabled
#define IDI_AP_80211B_IN_USE 144
#define IDI_AP_80211B 145
#define IDI_PEER 151
#define IDI_PEER_IN_USE 152
#define IDI_AP_80211G 155  // also 802.11a
#define IDI_AP_80211G_IN_USE 156
#define IDS_SS_SSID 61471  // column headings
#define IDS_SS_MAC_ADDRESS 61472
#define IDS_SS_SECURITY 61473
#define IDS_SS_CHANNEL 61474
#define IDS_SS_SIGNAL 61475
#define IDS_SS_NETWORK_TYPE 61476
#define IDS_SS_SECURITY_ON 61477
#define IDS_SS_SECURITY_OFF 61478

// Profile editing: the profile sheet, its pages and the Profile Manager ----------------
#define IDD_NETWORK_INFO 107
#define IDD_PROTOCOL 110
#define IDD_SUMMARY 112
#define IDD_PROTOCOL_WIZARD 116
#define IDD_NETWORK_INFO_WIZARD 117
#define IDB_WIZARD_WATERMARK 131
#define IDB_WIZARD_HEADER 132
#define IDI_PROFILE_IN_USE 153
#define IDI_PROFILE 154

// Profile Manager page (102)
#define IDR_PROFILE_MENU 130
#define IDC_PM_LIST 1000
#define IDC_PM_APPLY 1011
#define IDC_PM_CREATE 1014
#define IDC_PM_MOVE_UP 1028
#define IDC_PM_MOVE_DOWN 1029
#define IDC_PM_SETTING 1036  // group box the editor stands in
#define IDC_PM_SAVE 1037
#define IDC_PM_DELETE 1038
#define ID_PM_SWITCH 32773
#define ID_PM_PREFER 32774
#define ID_PM_UNPREFER 32775
#define ID_PM_PREFER_NONE 32776
#define ID_PM_PREFER_ALL 32779

// Network page (107, 117)
#define IDC_NET_HIDDEN_SSID 1018
#define IDC_NET_TYPE 1035
#define IDC_NET_NAME 1039
#define IDC_NET_SSID 1040
#define IDC_NET_INFRA_MODE 1041
#define IDC_NET_CHANNEL 1042
#define IDC_NET_CHANNEL_LABEL 1111
#define IDC_NET_ADHOC_GROUP 1127
#define IDC_NET_INFRA_MODE_LABEL 1128
#define IDC_NET_ADHOC_MODE_LABEL 1129
#define IDC_NET_ADHOC_MODE 1130

// Protocol page (110, 116)
#define IDC_PROTO_RESET 1001
#define IDC_PROTO_RATE 1003
#define IDC_PROTO_FRAG_SPIN 1006
#define IDC_PROTO_RTS_SPIN 1008
#define IDC_PROTO_KEEP 1009
#define IDC_PROTO_POWER_SAVE 1010
#define IDC_PROTO_PREAMBLE 1011
#define IDC_PROTO_FRAG 1012
#define IDC_PROTO_RTS 1013
#define IDC_PROTO_POWER_SAVE_LABEL 1014
#define IDC_PROTO_PREAMBLE_LABEL 1015
#define IDC_PROTO_RATE_LABEL 1016
#define IDC_PROTO_FRAG_LABEL 1017
#define IDC_PROTO_RTS_LABEL 1018
#define IDC_PROTO_GROUP 1129

// Summary page (112)
#define IDC_SUMMARY_TEXT 1049
#define IDC_SUMMARY_NOTE 1050

#define IDS_NETWORK_INFO 61305
#define IDS_PROTOCOL 61308
#define IDS_CREATE_NEW_PROFILE 61309
#define IDS_COMPLETE 61310
#define IDS_NETWORK_INFO_HEADER 61311
#define IDS_PROTOCOL_HEADER 61314
#define IDS_INFRASTRUCTURE 61316
#define IDS_AD_HOC 61317
#define IDS_AUTO 61318
#define IDS_80211B 61319
#define IDS_80211G 61320
#define IDS_CONFIGURE_NETWORK 61407
#define IDS_CONTINUOUS_ACCESS 61427
#define IDS_MAX_POWER_SAVE 61429
#define IDS_PREAMBLE_SHORT 61430
#define IDS_PREAMBLE_LONG 61431
#define IDS_AUTO_SELECT 61432
#define IDS_PROFILE_NAME_EXISTS 62019
#define IDS_ILLEGAL_PROFILE_NAME 62020
#define IDS_FRAG_THRESHOLD_MINIMUM 62030
#define IDS_FRAG_THRESHOLD_MAXIMUM 62031
#define IDS_RTS_THRESHOLD_MAXIMUM 62033
#define IDS_PREFER_LIST_TIP 63001

// Security ---------------------------------------------------------------------------
// The security page (111 in the editor and the Configure Network sheet, 119 in the wizard)
#define IDD_SECURITY 111
#define IDD_SECURITY_WIZARD 119
#define IDC_SEC_PASSPHRASE 1002
#define IDC_SEC_CONFIRM 1003
#define IDC_SEC_ENCRYPTION 1043
#define IDC_SEC_AUTHENTICATION 1044
#define IDC_SEC_TX_KEY1 1064  // transmit key radio buttons 1064..1067
#define IDC_SEC_TX_KEY2 1065
#define IDC_SEC_TX_KEY3 1066
#define IDC_SEC_TX_KEY4 1067
#define IDC_SEC_WEP_GROUP 1068
#define IDC_SEC_WEP_KEYS 1070
#define IDC_SEC_CREDENTIALS 1071
#define IDC_SEC_PASSPHRASE_LABEL 1107
#define IDC_SEC_CONFIRM_LABEL 1108
#define IDC_SEC_PROTOCOL 1124
#define IDC_SEC_PROTOCOL_LABEL 1131

// The WEP key dialog (121)
#define IDD_WEP_KEYS 121
#define IDC_WEP_TX_KEY1 1050  // transmit key radio buttons 1050..1053
#define IDC_WEP_TX_KEY2 1051
#define IDC_WEP_TX_KEY3 1052
#define IDC_WEP_TX_KEY4 1053
#define IDC_WEP_KEY1 1054  // key edits 1054..1057
#define IDC_WEP_KEY2 1055
#define IDC_WEP_KEY3 1056
#define IDC_WEP_KEY4 1057
#define IDC_WEP_FORMAT 1064
#define IDC_WEP_SIZE 1070

// The 802.1x credential dialogs: EAP/TLS (134), PEAP (135), LEAP (137)
#define IDD_TLS 134
#define IDD_PEAP 135
#define IDD_LEAP 137
#define IDC_CRED_INNER_PROTOCOL 1000  // PEAP's inner protocol, shown only
#define IDC_CRED_CERTIFICATE 1003     // EAP/TLS's certificate name, read-only
#define IDC_CRED_BROWSE 1011
#define IDC_CRED_VIEW 1122
#define IDC_CRED_LOGIN 1123
#define IDC_CRED_PASSWORD 1125
#define IDC_CRED_DOMAIN 1126

// Certificates: Select Certificate (125), View Certificate (127)
#define IDD_SELECT_CERT 125
#define IDD_VIEW_CERT 127
#define IDC_CERT_FIELDS 1000  // View Certificate's list
#define IDC_CERT_VIEW 1122
#define IDC_CERT_LIST 1125

#define IDS_SECURITY 61306
#define IDS_SECURITY_HEADER 61312
#define IDS_AUTO_SWITCH 61324
#define IDS_OPEN_SYSTEM 61325
#define IDS_SHARED_KEY 61326
#define IDS_WPA_PSK 61327
#define IDS_CCX 61330
#define IDS_WPA2_PSK 61331
#define IDS_WPA 61335
#define IDS_WPA2 61336
#define IDS_8021X 61337
#define IDS_CCX_CONFIGURATION 61352
#define IDS_CONFIGURE_WPA_RADIUS 61353
#define IDS_EAP_TLS 61355
#define IDS_PEAP 61356
#define IDS_LEAP 61357
#define IDS_EAP_MSCHAPV2 61358
#define IDS_SECURITY_OFF 61370
#define IDS_WEP 61371
#define IDS_TKIP 61372
#define IDS_AES 61373
#define IDS_WEP_KEY_SETTING 61380
#define IDS_KEY1_NOT_SET 61381  // 61381..61384
#define IDS_KEY2_NOT_SET 61382
#define IDS_KEY3_NOT_SET 61383
#define IDS_KEY4_NOT_SET 61384
#define IDS_SELECT_KEY1 61385  // 61385..61388
#define IDS_SELECT_KEY2 61386
#define IDS_SELECT_KEY3 61387
#define IDS_SELECT_KEY4 61388
#define IDS_HEX_40 61389
#define IDS_HEX_104 61390
#define IDS_ASCII_40 61391
#define IDS_ASCII_104 61392
#define IDS_ASCII_CHARACTERS 61393
#define IDS_HEX_DIGITS 61394
#define IDS_WEP_KEY1_HEADING 61395  // 61395..61398
#define IDS_WEP_KEY2_HEADING 61396
#define IDS_WEP_KEY3_HEADING 61397
#define IDS_WEP_KEY4_HEADING 61398
#define IDS_CERT_SUBJECT 61605
#define IDS_CERT_ISSUER 61606
#define IDS_CERT_VALID_BEFORE 61607
#define IDS_CERT_VERSION 61609
#define IDS_CERT_SERIAL 61610
#define IDS_CERT_SIGNATURE_ALGORITHM 61611
#define IDS_CERT_NOT_BEFORE 61612
#define IDS_CERT_NOT_AFTER 61613
#define IDS_CERT_KEY_ALGORITHM 61614
#define IDS_CERT_PUBLIC_KEY 61615
#define IDS_WEP_SIZE_CHANGE 62006
#define IDS_WEP_40_HEX 62007
#define IDS_WEP_40_ASCII 62008
#define IDS_WEP_104_HEX 62009
#define IDS_WEP_104_ASCII 62010
#define IDS_WEP_INVALID_TX_KEY 62011
#define IDS_SELECT_TX_KEY 62017
#define IDS_PASSPHRASE_LENGTH 62022
#define IDS_PASSPHRASE_MISMATCH 62023
#define IDS_WPA_TLS_CREDENTIALS 63002
#define IDS_WPA_PEAP_CREDENTIALS 63003
#define IDS_CCX_CREDENTIALS 63004
#define IDS_WPA_LEAP_CREDENTIALS 63006

// Network Status page (101) ----------------------------------------------------------
#define IDC_STATUS_PROFILES 1071  // "Select Profile" drop-down list
#define IDC_STATUS_TEXT 1072
#define IDC_STATUS_SSID 1084
#define IDC_STATUS_NETWORK_TYPE 1035
#define IDC_STATUS_BSSID 1075
#define IDC_STATUS_SECURITY 1073
#define IDC_STATUS_LINK_SPEED 1076
#define IDC_STATUS_SIGNAL 1022  // progress bar painted as a level bar
#define IDC_STATUS_LINK_ICON 1041
#define IDC_STATUS_DHCP 1007
#define IDC_STATUS_IP_ADDRESS 1045
#define IDC_STATUS_SUBNET_MASK 1046
#define IDC_STATUS_GATEWAY 1047
#define IDC_STATUS_CHANNEL 1074   // group box: "Channel Performance" or the channel
#define IDC_STATUS_TX_FRAME 1025  // invisible placeholders of the graphs
#define IDC_STATUS_RX_FRAME 1026
#define IDC_STATUS_TX_GRAPH 5001  // the graphs, made over the placeholders
#define IDC_STATUS_RX_GRAPH 5002
#define IDC_STATUS_TX_RATE 1085
#define IDC_STATUS_RX_RATE 1086
#define IDC_STATUS_TX_TOP 1087  // graph scale labels
#define IDC_STATUS_TX_MIDDLE 1089
#define IDC_STATUS_RX_TOP 1088
#define IDC_STATUS_RX_MIDDLE 1090
#define IDC_STATUS_RENEW 1011  // hidden and disabled; no action
#define IDC_STATUS_PROPERTIES 1012
#define IDI_LINK_OTHER 140  // link icons by wireless mode, and without a link
#define IDI_LINK_80211B 157
#define IDI_LINK_80211A 160
#define IDI_NO_LINK 136

// Debug page
#define IDC_DEBUG_RF_INDEX 1002  // register edits: index and value, in hexadecimal
#define IDC_DEBUG_RF_VALUE 1003
#define IDC_DEBUG_BB_INDEX 1004
#define IDC_DEBUG_BB_VALUE 1005
#define IDC_DEBUG_MAC_INDEX 1006
#define IDC_DEBUG_MAC_VALUE 1007
#define IDC_DEBUG_RF_READ 1011
#define IDC_DEBUG_RF_WRITE 1012
#define IDC_DEBUG_BB_READ 1013
#define IDC_DEBUG_BB_WRITE 1014
#define IDC_DEBUG_MAC_READ 1015
#define IDC_DEBUG_MAC_WRITE 1016
#define IDC_DEBUG_HW_VERSION 1009
#define IDC_DEBUG_CAL_VALUE1 1108  // calibration table: values, names, ranges by row
#define IDC_DEBUG_CAL_VALUE2 1109
#define IDC_DEBUG_CAL_VALUE3 1110
#define IDC_DEBUG_CAL_VALUE4 1111
#define IDC_DEBUG_CAL_NAME1 1113
#define IDC_DEBUG_CAL_NAME2 1114
#define IDC_DEBUG_CAL_NAME3 1115
#define IDC_DEBUG_CAL_NAME4 1116
#define IDC_DEBUG_CAL_RANGE1 1117
#define IDC_DEBUG_CAL_RANGE2 1118
#define IDC_DEBUG_CAL_RANGE3 1119
#define IDC_DEBUG_CAL_RANGE4 1120
#define IDC_DEBUG_REFRESH 1107
#define IDC_DEBUG_REFRESH_EVERY_SECOND 1017
#define IDC_DEBUG_RATE_EVERY_SECOND 1254
#define IDC_DEBUG_TRACE 1253     // hidden and disabled
#define IDC_DEBUG_TX_POWER 1024  // hidden and disabled, no entries
#define IDC_DEBUG_TX_POWER_LABEL 1123

// Test page
#define IDC_TEST_FROM 1002  // channel range: first and last channel
#define IDC_TEST_TO 1003
#define IDC_TEST_SIGNAL 1004
#define IDC_TEST_TX_FAIL 1005
#define IDC_TEST_RANGE_GET 1011
#define IDC_TEST_RANGE_SET 1012
#define IDC_TEST_SIGNAL_GET 1013
#define IDC_TEST_SIGNAL_SET 1014
#define IDC_TEST_TX_FAIL_GET 1015
#define IDC_TEST_TX_FAIL_SET 1016
#define IDC_TEST_RADAR 1132
#define IDC_TEST_MISC 1001  // hidden and disabled with its buttons; no action
#define IDC_TEST_MISC_GET 1121
#define IDC_TEST_MISC_SET 1122

// Statistics pages (104 and 124) --------------------------------------------------------
#define IDC_STATS_RESET 1001     // detailed page: "&Reset"; standard page: hidden, no action
#define IDC_STATS_TRANSMIT 1003  // the tables
#define IDC_STATS_RECEIVE 1004
#define IDC_STATS_RSSI 1007       // detailed page: received frames by signal
#define IDC_STATS_SIGNAL 1022     // standard page: progress bar painted as a level bar
#define IDC_STATS_LINK_ICON 1041  // standard page: the link icons of the Network Status page

// Advanced page (115) ------------------------------------------------------------------
#define IDC_ADV_DESCRIPTION 1001  // disabled drop-down combo: the device description
#define IDC_ADV_DEFAULT 1002
#define IDC_ADV_RATE 1003
#define IDC_ADV_APPLY 1004
#define IDC_ADV_RTS_SPIN 1008
#define IDC_ADV_POWER_SAVE 1010
#define IDC_ADV_PREAMBLE 1011
#define IDC_ADV_RTS 1013
#define IDC_ADV_FRAG 1019
#define IDC_ADV_TX_ANTENNA_LABEL 1020
#define IDC_ADV_RX_ANTENNA_LABEL 1021
#define IDC_ADV_TX_ANTENNA 1022  // never enabled
#define IDC_ADV_RX_ANTENNA 1023
#define IDC_ADV_TX_POWER 1024
#define IDC_ADV_AUTO_CONNECT 1031
#define IDC_ADV_FRAG_SPIN 1080
#define IDC_ADV_AUTO_LINK 1122
#define IDC_ADV_TX_POWER_LABEL 1123
#define IDS_ANTENNA_2 61422
#define IDS_DIVERSITY_ON 61423
#define IDS_DIVERSITY_OFF 61424
#define IDS_TX_POWER_HIGH 61433
#define IDS_TX_POWER_MEDIUM 61434
#define IDS_TX_POWER_LOW 61435

// About page (105) -----------------------------------------------------------------------
#define IDC_ABOUT_FIRMWARE 1001
#define IDC_ABOUT_CHIP 1009  // hidden
#define IDC_ABOUT_MAC 1048
#define IDC_ABOUT_DRIVER 1068
#define IDC_ABOUT_PROGRAM 1073
#define IDC_ABOUT_LIBRARY 1074
#define IDC_ABOUT_REGION 1076
#define IDC_ABOUT_REGION_LABEL 1132

// Auto Link dialog (129) and its countdown dialog (128) --------------------------------
#define IDD_COUNTDOWN 128
#define IDC_COUNTDOWN_TEXT 1007
#define IDC_COUNTDOWN_PROGRESS 1008
#define IDD_AUTO_LINK 129
#define IDC_AUTO_LINK_APS 1001
#define IDC_AUTO_LINK_PIN 1002
#define IDC_AUTO_LINK_CONFIRM 1003
#define IDC_AUTO_LINK_DONT_ASK 1015
#define IDC_AUTO_LINK_CONFIRM_LABEL 1124
#define IDC_AUTO_LINK_STATUS 1126

#endif
