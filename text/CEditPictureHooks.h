#pragma once
// What the edit window asks of the memo's pictures, which live in the pictures layer above it:
// editing a picture in place, a bitmap from the clipboard, the picture side of reading and
// writing memo files, and keeping up with the memo's names. The window calls these; the pictures
// layer answers and reaches back to the window only through its public operations.
#include <windows.h>

#include <memory>
#include <string>

class CMemoPictureStore;
class CWnd;

class CEditPictureHooks {
public:
    virtual ~CEditPictureHooks() = default;

    // Opens the picture shown by a picture chapter for editing; the editing window, or none
    // when editing could not begin.
    virtual CWnd* BeginEditing(int pictureId) = 0;
    // A message of the editing window to its parent (0x469, 0x46A); the editing window still
    // open afterwards, or none when editing ended.
    virtual CWnd* OnEditingMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Ends editing (the framing goes back to the picture).
    virtual void EndEditing() = 0;
    // The text scrolled or changed size: the editing window follows its picture.
    virtual void Reposition() = 0;
    // After a paste: a bitmap on the clipboard becomes a picture at the caret. True when one did.
    virtual bool PasteClipboardPicture() = 0;

    // Before a memo file is read in: the files its tags name are kept from being overwritten.
    virtual void PrepareToRead(const std::u16string& path) = 0;
    // What stores the pictures' files when the memo is written to memoPath.
    virtual std::unique_ptr<CMemoPictureStore> StoreFor(const std::u16string& memoPath, const std::wstring& type,
                                                        int quality) = 0;
    // What names the pictures in the crash journal: their files, and for pictures in no file
    // yet, files written into pictureFolder.
    virtual std::unique_ptr<CMemoPictureStore> JournalStoreFor(const std::u16string& pictureFolder) = 0;
    // The memo's folder and title (its pictures' working copies are named after them).
    virtual void MemoNamesChanged(const std::u16string& folder, const std::u16string& title) = 0;
    // The memo was emptied for another one.
    virtual void ContentDropped() = 0;
    // The window goes: nothing reaches the pictures after this.
    virtual void Detach() = 0;
};
