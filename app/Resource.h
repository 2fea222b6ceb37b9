#pragma once
// Resource and command ids of VelText. Plain #defines: the resource script includes this file.
#include "framework/FrameworkIds.h"

// Resources
#define IDD_ABOUTBOX                100
#define IDP_OLE_INIT_FAILED         100
#define IDR_CONTEXTMENU             119
#define IDR_MAINFRAME               128
#define IDB_VIEW_BACKGROUND         323
#define IDB_GRAY_BACKGROUND         324
#define IDC_ABOUT_VERSION           1000

// File
#define ID_FILE_OPEN_MEMO           32843
#define ID_FILE_ADD                 32844
#define ID_FILE_OPEN_HISTORY        32846
#define ID_FILE_ADD_HISTORY         32847
#define ID_FILE_SAVE                57603
#define ID_FILE_SAVE_AS             57604
#define ID_FILE_PRINT_SETUP         57606
#define ID_FILE_PRINT               57607
#define ID_FILE_PRINT_DIRECT        57608
#define ID_FILE_PRINT_PREVIEW       57609
#define ID_FILE_MRU_FILE1           57616
#define ID_APP_EXIT                 VEL_ID_APP_EXIT

// Memo navigation
#define ID_MEMO_SELECT_BASES        32855
#define ID_MEMO_PREVIOUS            32857
#define ID_MEMO_NEXT                32858
#define ID_MEMO_NEW                 32860
#define ID_MEMO_SWITCH_BASE         32880

// Edit
#define ID_EDIT_UNDO                57643
#define ID_EDIT_UNDO_ALT            32819
#define ID_EDIT_CUT                 57635
#define ID_EDIT_COPY                57634
#define ID_EDIT_PASTE               57637
#define ID_EDIT_RECT_PASTE          32792
#define ID_EDIT_SELECT_ALL          32805
#define ID_EDIT_CLEAR_SELECTION     32864
#define ID_SEARCH_BACKWARD          32875
#define ID_SEARCH_FORWARD           32876
#define ID_REPLACE                  32877
#define ID_IME_OFF_SEARCH           32878
#define ID_IME_OFF_REPLACE          32889

// Text
#define ID_TEXT_INSERT_DATE         32826
#define ID_TEXT_INSERT_TIME         32828
#define ID_TEXT_PAGE_BREAK_ON       32872
#define ID_TEXT_PAGE_BREAK_OFF      32870
#define ID_TEXT_OPTIONS             32807

// Calculate
#define ID_CALC_ON_EQUALS           32816
#define ID_CALC_RADIX10             32789
#define ID_CALC_RADIX16             32788
#define ID_CALC_RADIX2              32790

// Picture edit
#define ID_PICT_EDIT_START          32813
#define ID_PICT_RESIZE              32798
#define ID_PICT_ROTATE_RIGHT90      32801
#define ID_PICT_ROTATE_LEFT90       32802
#define ID_PICT_RIGHT5              32911
#define ID_PICT_RIGHT3              32912
#define ID_PICT_RIGHT1              32913
#define ID_PICT_LEFT5               32908
#define ID_PICT_LEFT3               32909
#define ID_PICT_LEFT1               32910
#define ID_PICT_ANGLE               32922
#define ID_PICT_EDIT_END            32793
#define ID_PICT_ROTATE              32897

// View
#define ID_VIEW_STATUS_BAR          VEL_IDW_STATUS_BAR
#define ID_VIEW_OPTIONS             32854

// Window
#define ID_WINDOW_TOPMOST           32782
#define ID_WINDOW_OPAQUE            32787
#define ID_WINDOW_ALPHA60           32783
#define ID_WINDOW_ALPHA30           32784
#define ID_WINDOW_OPEN_ANOTHER      32842
#define ID_WINDOW_CLOSE_ALL         32851

// Help
#define ID_APP_ABOUT                VEL_ID_APP_ABOUT

// Context menu of the text
#define ID_CONTEXT_CUT              32829
#define ID_CONTEXT_COPY             32830
#define ID_CONTEXT_PASTE            32831
#define ID_CONTEXT_RECT_PASTE       32833
#define ID_CONTEXT_PAGE_BREAK_ON    32873
#define ID_CONTEXT_PAGE_BREAK_OFF   32874
#define ID_CONTEXT_REGISTER_WORD    32924

// Saving a memo under another name
#define IDD_SAVE_TYPE               325
#define IDC_SAVE_TYPE_MEMO          1072
#define IDC_SAVE_TYPE_NO_PARAGRAPHS 1081
#define IDC_SAVE_TYPE_SPACES        1082

// Memo navigation: the control bar (318) and the memo selection settings (319)
#define IDD_CNTL_PANEL              318
#define IDD_MEMO_DIR                319
#define IDC_BASE_COMBO              1039
#define IDC_SEARCH_TEXT             1087
#define IDC_REPLACE_TEXT            1088
#define IDC_MEMO_NAME0              1060
#define IDC_MEMO_DIR0               1061
#define IDC_MEMO_TYPE0              1084
#define IDC_MEMO_NAME1              1040    // rows 1-10: names 1040-1049
#define IDC_MEMO_DIR1               1050    // folders 1050-1059
#define IDC_MEMO_TYPE1              1074    // display types 1074-1083

// Pictures: the rotate dialog and the picture size dialog
#define IDD_PICT_ROTATE             327
#define IDD_PICT_SIZE               313
#define IDC_ROTATE_CLOCKWISE        3271
#define IDC_ROTATE_COUNTER          3272
#define IDC_ROTATE_ANGLE            3273
#define IDC_ROTATE_SPIN             3274
#define IDC_SIZE_WIDTH              3131
#define IDC_SIZE_HEIGHT             3132
#define IDC_SIZE_KEEP_RATIO         3133

// Option dialogs: the options (314) and the view options (322)
#define IDD_OPTIONS                 314
#define IDC_OPT_COLUMNS             1004
#define IDC_OPT_LINE_SPACE          1005
#define IDC_OPT_LINE_SPACE_SPIN     1014
#define IDC_OPT_RULED_LINE          1006
#define IDC_OPT_TAB                 1011
#define IDC_OPT_TAB_SPIN            1013
#define IDC_OPT_KINSOKU             1008
#define IDC_OPT_TOP_KINSOKU         1077
#define IDC_OPT_LAST_KINSOKU        1078
#define IDC_OPT_TOP_KIGO            1079
#define IDC_OPT_FILEDLG_DEFAULT     1022
#define IDC_OPT_FILEDLG_EXPLORER    1023
#define IDC_OPT_FILEDLG_OLD         1024
#define IDC_OPT_PICTURE_SIZE        1007
#define IDC_OPT_JPEG                1016
#define IDC_OPT_BMP                 1015
#define IDC_OPT_PNG                 1033
#define IDC_OPT_TIF                 1038
#define IDC_OPT_QUALITY             1017
#define IDC_OPT_QUALITY_CAPTION     3141
#define IDC_OPT_SAVE_ORIGINAL       1075
#define IDC_OPT_LIMIT               1031
#define IDC_OPT_SAVE_MAX            1025
#define IDC_OPT_SAVE_MAX_SPIN       1026
#define IDC_OPT_SAVE_MAX_CAPTION    1032
#define IDC_OPT_PRINT_FONT          1018
#define IDC_OPT_PRINT_FONT_SPIN     1030
#define IDC_OPT_LEFT_SPACE          1019
#define IDC_OPT_LEFT_SPACE_SPIN     1020
#define IDC_OPT_TOP_SPACE           1021
#define IDC_OPT_TOP_SPACE_SPIN      1027
#define IDC_OPT_BTM_SPACE           1028
#define IDC_OPT_BTM_SPACE_SPIN      1029
#define IDC_OPT_PAGE_NO             1082
#define IDC_OPT_RESET               1080

#define IDD_VIEW_OPTIONS            322
#define IDC_VOPT_TYPE               1068
#define IDC_VOPT_CNTL_PICTURES      1062
#define IDC_VOPT_CNTL_FILE          1069
#define IDC_VOPT_CNTL_ADD           1063
#define IDC_VOPT_CNTL_REMOVE        1064
#define IDC_VOPT_VIEW_PICTURES      1065
#define IDC_VOPT_VIEW_FILE          1070
#define IDC_VOPT_VIEW_ADD           1067
#define IDC_VOPT_VIEW_REMOVE        1066
#define IDC_VOPT_FONT_NAME          1083
#define IDC_VOPT_FONT_CHANGE        1073
#define IDC_VOPT_COLOUR             1084
#define IDC_VOPT_COLOUR_CHANGE      1085
#define IDC_VOPT_SIZE               1086
