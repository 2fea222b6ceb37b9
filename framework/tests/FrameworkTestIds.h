#pragma once
// Resources of the framework tests.
#define IDR_TEST_FRAME      9100
#define IDD_TEST_FIELDS     9200
#define IDD_TEST_BAR        9300

#define IDC_NUMBER          1001
#define IDC_FLAG            1002
#define IDC_CHOICE_A        1003
#define IDC_CHOICE_B        1004
#define IDC_NAME            1005

#define ID_TEST_VIEW        40001
#define ID_TEST_DOCUMENT    40002
#define ID_TEST_FRAME       40003
#define ID_TEST_APP         40004
#define ID_TEST_NOBODY      40005
#define ID_TEST_SHARED      40006
#define ID_TEST_CHECKED     40007
