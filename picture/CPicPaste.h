#pragma once
// A bitmap from the clipboard (format 2) as a new picture of the memo: its pixels become a
// picture under a free id, the worker stores it as the picture's file beside the memo, and a
// picture chapter shows it before the caret's chapter at the default display size.
#include <windows.h>

class CDocList;
class CPicList;
class CPicRequester;

class CPicPaste {
public:
    static bool ClipboardHasBitmap();
    // False, with nothing added, when the clipboard holds no bitmap or the picture could not be
    // made or stored.
    static bool FromClipboard(HWND owner, CDocList& doc, CPicList& pictures, CPicRequester& worker);
    static bool FromBitmap(HBITMAP bitmap, CDocList& doc, CPicList& pictures, CPicRequester& worker);
    // The id a new picture takes: the smallest free one whose file would not overwrite a file
    // that a tag of the memo names for another picture.
    static int NewPictureId(const CDocList& doc, const CPicList& pictures);
};
