#pragma once
#include <windows.h>

// Private window messages between the parts of VelText and between running copies.
constexpr UINT kMsgQueueHasItems = WM_USER + 101;   // 0x465: a request or reply queue has items
constexpr UINT kMsgNumberChanged = WM_USER + 102;   // 0x466: a number field changed
constexpr UINT kMsgNextWorkItem = WM_USER + 107;    // 0x46B: next item of the edit window's queue
constexpr UINT kMsgRefreshMemoList = WM_USER + 108; // 0x46C: another copy changed the memo store
