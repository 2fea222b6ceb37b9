#pragma once
// Resource and command ids that belong to the framework itself: the ones every program on it
// shares (status bar, view pane, application commands). Plain #defines so that resource scripts
// can include this file too.

#define VEL_IDS_APP_TITLE       57344   // string: the application's title, also the registry name
#define VEL_IDS_IDLEMESSAGE     57345

#define VEL_ID_APP_ABOUT        57664
#define VEL_ID_APP_EXIT         57665

#define VEL_ID_INDICATOR_CAPS   59137
#define VEL_ID_INDICATOR_NUM    59138
#define VEL_ID_INDICATOR_SCRL   59139

#define VEL_IDW_STATUS_BAR      59393   // also the "status bar" command of the view menu
#define VEL_IDW_PANE_FIRST      59648   // the view's child id inside its frame

#define VEL_IDP_PARSE_INT       61704   // string: "enter an integer"
#define VEL_IDP_PARSE_INT_RANGE 61705   // string: "enter an integer between %1 and %2"
