#pragma once
// The pictures of the memo in an edit window: the picture list the document list reads, the
// picture worker behind the window's worker link, the display bitmaps the painter draws, the
// picture side of reading and writing memo files, pasting clipboard bitmaps and editing a picture
// in place. Attach it to the edit window before the window is created; it answers the window's
// picture hooks from then on.
#include <memory>
#include <string>

#include "picture/CPicDisplayList.h"
#include "picture/CPicList.h"
#include "picture/CPicMemoLoader.h"
#include "text/CEditPictureHooks.h"

class CEditExp;
class CPicEditSession;
class CPicWorkerLink;
class CVMemList;

class CEditPictures : public CEditPictureHooks {
public:
    explicit CEditPictures(CVMemList& store);
    ~CEditPictures() override;
    CEditPictures(const CEditPictures&) = delete;
    CEditPictures& operator=(const CEditPictures&) = delete;

    // Before the window is created: its worker becomes the picture worker.
    void Attach(CEditExp& edit);
    // After the window is created: the document list, the painter and the memo reader use the
    // pictures.
    void Connect();

    CPicList& Pictures() { return m_pictures; }
    CPicWorkerLink* Link() const { return m_link; }

    // CEditPictureHooks
    CWnd* BeginEditing(int pictureId) override;
    CWnd* OnEditingMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void EndEditing() override;
    void Reposition() override;
    bool PasteClipboardPicture() override;
    void PrepareToRead(const std::u16string& path) override;
    std::unique_ptr<CMemoPictureStore> StoreFor(const std::u16string& memoPath, const std::wstring& type,
                                                int quality) override;
    std::unique_ptr<CMemoPictureStore> JournalStoreFor(const std::u16string& pictureFolder) override;
    void MemoNamesChanged(const std::u16string& folder, const std::u16string& title) override;
    void ContentDropped() override;
    void Detach() override;

private:
    CWnd* EditingWindow() const;

    CPicList m_pictures;
    CPicDisplayList m_display;
    CEditExp* m_edit = nullptr;
    CPicWorkerLink* m_link = nullptr;  // owned by the edit window
    std::unique_ptr<CPicMemoLoader> m_loader;
    std::unique_ptr<CPicEditSession> m_session;
};
