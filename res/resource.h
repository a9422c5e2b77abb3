// Resource and control identifiers of Brindlex, shared by Brindlex.rc and the C++ sources.
// Plain #defines only: windres reads this file through its preprocessor.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates
#define IDD_BRINDLEX_DIALOG 102
#define IDD_ABOUTBOX 131
#define IDD_SETTINGS 132
#define IDD_PASTING 154
#define IDD_FIND 157
#define IDD_QUICK_PASTE 158

// Strings
#define IDS_ABOUTBOX 101 // "&About Brindlex..." in the system menu
#define IDS_VERSION 102  // the version number shown by the about box
#define IDS_MAKER 134    // the maker's notice line of the about box

// System menu command of the about entry (low four bits are the system's)
#define IDM_ABOUTBOX 0x0010

// Icons
#define IDR_MAINFRAME 128          // program icon: window, taskbar and notification area
#define IDI_GROUP 129              // group list row, normal (28 x 28)
#define IDI_MORE 135               // "More" button
#define IDI_GROUP_SELECTED 139     // group list row, selected (28 x 28)
#define IDI_ADD_GROUP 140          // image buttons above the group list
#define IDI_EDIT_GROUP 141
#define IDI_DELETE_GROUP 142
#define IDI_ADD_ITEM 143           // image buttons above the item list
#define IDI_DELETE_ITEM 144
#define IDI_EDIT_ITEM 145
#define IDI_ITEM 146               // item list row, both looks (28 x 28)
#define IDI_ALWAYS_ON_TOP 155      // always-on-top toggle
#define IDI_INSERT_TOKEN 156       // item editor's "Insert control key" button

// The about box's banner: a JPEG held under the custom resource type "JPG"
#define IDR_BANNER 1012
// The same banner drawn at twice its size, for screens above 100 %
#define IDR_BANNER_2X 1013

// Main window (template 102)
#define IDC_PASTE 1002
#define IDC_GROUP_LIST 1008
#define IDC_ITEM_LIST 1009
#define IDC_MENU_BUTTON 1015
#define IDC_ALWAYS_ON_TOP 1016
#define IDC_TARGET_WINDOW 1017
#define IDC_ADD_GROUP 1019
#define IDC_EDIT_GROUP 1020
#define IDC_DELETE_GROUP 1021
#define IDC_ADD_ITEM 1022
#define IDC_EDIT_ITEM 1023
#define IDC_DELETE_ITEM 1024
#define IDC_PREV_WINDOW 1056
#define IDC_NEXT_WINDOW 1057

// Commands of the notification-area menu and of the "More" menu
#define ID_TRAY_SHOWHIDE 1025
#define ID_TRAY_EXIT 1026
#define ID_TRAY_ABOUT 1027
#define ID_TRAY_SETTINGS 1028
#define ID_TRAY_HELP 1030
#define ID_TRAY_FIND 1031
#define ID_MENU_HIDE 1032
#define ID_MENU_ALWAYS_ON_TOP 1033
#define ID_MENU_SETTINGS 1034
#define ID_MENU_EXPORT 1035
#define ID_MENU_HELP 1037
#define ID_MENU_ABOUT 1038
#define ID_MENU_FIND 1039

// About box (template 131)
#define IDC_LEGAL_NOTICE 1011
#define IDC_VERSION 1012
#define IDC_MAKER_NOTICE 1013
#define IDC_MORE_INFO 1014
#define IDC_PRODUCT_LINK 1015
#define IDC_MAKER_LINK 1016

// Settings dialog (template 132)
#define IDC_DATA_FILE 1027
#define IDC_BROWSE 1028
#define IDC_RESTORE_DEFAULT 1029
#define IDC_HOTKEY 1035
#define IDC_DRAW_EDGES 1043
#define IDC_HIDE_AFTER_PASTE 1044
#define IDC_HIDE_ON_STARTUP 1045
#define IDC_AUTOSTART 1046
#define IDC_USE_HOTKEY 1047

// Item editor (template 154)
#define IDC_ITEM_NAME 1048
#define IDC_NAME_LABEL 1051
#define IDC_TEXT_LABEL 1052
#define IDC_COPY_TEXT 1054
#define IDC_ITEM_TEXT 1055
#define IDC_INSERT_TOKEN 1059

// Find (template 157)
#define IDC_FIND_QUERY 1060
#define IDC_FIND_RESULTS 1061
#define IDC_FIND_PASTE 1062
#define IDC_FIND_COUNT 1063

// Quick-paste popup
#define IDC_QUICK_QUERY 1070
#define IDC_QUICK_RESULTS 1071
#define IDC_QUICK_NOTE 1072

// Settings dialog, the controls added after the first ones
#define IDC_USE_QUICK_PASTE 1073
#define IDC_QUICK_PASTE_HOTKEY 1074
#define IDC_QUICK_PASTE_TAKEN 1075
#define IDC_RESTORE_CLIPBOARD 1076

// The item editor's token menu: command ID_TOKEN_FIRST + i inserts token i
#define ID_TOKEN_FIRST 2000
