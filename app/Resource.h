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
