#pragma once
// Command ids of the print preview's own buttons (the framework's range of preview commands).
// Plain #defines so that resource scripts can include this file too.

#define VEL_ID_PREVIEW_CLOSE    58112
#define VEL_ID_PREVIEW_NUMPAGE  58113   // one page or two pages side by side
#define VEL_ID_PREVIEW_NEXT     58114
#define VEL_ID_PREVIEW_PREV     58115
#define VEL_ID_PREVIEW_PRINT    58116
#define VEL_ID_PREVIEW_ZOOMIN   58117
#define VEL_ID_PREVIEW_ZOOMOUT  58118
