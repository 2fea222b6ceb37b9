#pragma once
// The text edit window as the view hosts it: the keyboard shortcuts, typing with the
// calculation after "=", the input method, the clipboard commands and the context menu, on top
// of the basic behaviour of CEditText.
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "calc/CCalcSettings.h"
#include "text/CEditJournal.h"
#include "text/CEditText.h"
#include "text/CEditWorkerLink.h"
#include "text/CMemoWriter.h"
#include "text/CMsgQueue.h"

class CEditPictureHooks;
class CMemoPictureLoader;
class CMemoPictureStore;

class CEditExp : public CEditText {
public:
    // Private messages of the edit window and its worker.
    static constexpr UINT kQueueMessage = WM_USER + 101;      // 0x465: a queue has items
    static constexpr UINT kPictureReply = WM_USER + 105;      // 0x469
    static constexpr UINT kPictureNotify = WM_USER + 106;     // 0x46A
    static constexpr UINT kWorkQueueMessage = WM_USER + 107;  // 0x46B

    // The context menu's commands, sent to the parent (the view) as WM_COMMAND.
    static constexpr UINT kContextCut = 32829;
    static constexpr UINT kContextCopy = 32830;
    static constexpr UINT kContextPaste = 32831;
    static constexpr UINT kContextRectPaste = 32833;
    static constexpr UINT kContextPageBreakOn = 32873;
    static constexpr UINT kContextPageBreakOff = 32874;
    static constexpr UINT kContextRegisterWord = 32924;
    static constexpr int kContextMenuResource = 119;

    enum PasteMode { kNormalPaste = 1, kRectanglePaste = 2 };
    // Work-queue code: open a dropped file.
    static constexpr int kOpenDroppedFile = 26;
    static constexpr int kMaxDroppedFiles = 3;
    static constexpr int kMaxDroppedPath = 260;
    static constexpr DWORD kSynchroniseSlice = 500;  // milliseconds between message pumps

    using WorkerFactory = std::function<std::unique_ptr<CEditWorker>()>;

    CEditExp();
    ~CEditExp() override;

    CCalcSettings& Calc() { return m_calc; }
    const CCalcSettings& Calc() const { return m_calc; }

    // The memo's folder and title (picture files are named after them) and the temporary file
    // the view reserved.
    void SetMemoFolder(const std::u16string& folder);
    void SetMemoNames(const std::u16string& folder, const std::u16string& title);
    // The memo emptied for another one: one empty chapter, nothing to undo, no pictures.
    void DropContent();
    // Opens the picture at the caret for editing ("編集開始").
    bool EditPictureAtCaret();
    const std::wstring& TempFile() const { return m_tempFile; }
    void SetTempFile(const std::wstring& path) { m_tempFile = path; }

    // Undoes the last edit (one level) and shows the caret where it was.
    void Undo();

    // The worker: made when the window is created (the stand-in worker unless the factory or
    // the link given makes another), ended when it is destroyed. Both are set before Create.
    void SetWorkerFactory(WorkerFactory factory);
    void SetWorkerLink(std::unique_ptr<CEditWorkerLink> link);
    CEditWorkerLink& Link() { return *m_link; }
    bool StartWorker();
    void StopWorker();
    bool HasWorker() const { return m_link->Running(); }
    void SendRequest(std::unique_ptr<CMsg> request) { m_link->Send(std::move(request)); }
    // Waits until the worker has handled every earlier request, painting meanwhile, and reads
    // its replies. False when one of them reported an error (shown once, see ErrorShown).
    bool Synchronise() { return m_link->Synchronise(); }
    // After an error message the next ones stay silent until a file is opened or added.
    bool ErrorShown() const { return m_link->ErrorShown(); }
    void ClearErrorShown() { m_link->ClearErrorShown(); }

    // What the pictures of the memo need of the window (opening a picture for editing, a
    // clipboard bitmap, the editing window's messages); none until the pictures layer is attached.
    void SetPictureHooks(CEditPictureHooks* hooks) { m_pictureHooks = hooks; }
    CEditPictureHooks* PictureHooks() const { return m_pictureHooks; }

    // The crash journal of the memo.
    CEditJournal& Journal() { return m_journal; }

    // Files dropped on the window: at most three are queued, each opened by a later message.
    void QueueDroppedFiles(const std::vector<std::u16string>& paths);
    // Opens a dropped file at the caret: pictures by their extension, anything else as memo
    // text. Shows "ファイルが開けません。" with the path when it cannot.
    bool OpenDroppedFile(const std::u16string& path);

    // What turns picture lines of pasted text into pictures; without one they stay text.
    void SetPictureLoader(CMemoPictureLoader* loader);
    // What stores the pictures' files when the memo is written; without one pictures are not
    // written.
    void SetPictureStore(CMemoPictureStore* store);

    // How the pictures' files are written: "jpg", "bmp", "png", "tif" or "gif", and the quality.
    void SetPictureChoices(const std::wstring& type, int quality)
    {
        m_pictureType = type;
        m_pictureQuality = quality;
    }
    const std::wstring& PictureType() const { return m_pictureType; }
    int PictureQuality() const { return m_pictureQuality; }

    // The memo file read in at the caret, picture paths resolved against its folder; false when
    // it cannot be read (nothing is inserted then).
    bool ReadMemoFile(const std::u16string& path);
    // The whole memo written to path in a save type (0 memo format, 1 without paragraph
    // information, 2 paragraphs as spaces); withAttributes adds the pictures' sizes to their tags.
    CMemoWriteResult WriteMemoFile(const std::u16string& path, int saveType, bool withAttributes);

    // Clipboard commands (the caller takes the undo snapshot).
    bool Copy();
    bool Cut();
    void Paste(PasteMode mode);
    // A bitmap on the clipboard becomes a picture at the caret (after every paste).
    void PastePicture();
    // Inserts text at the caret as if typed (a selection is replaced), then repaints.
    void InsertText(std::u16string_view text);
    // One typed character, as WM_CHAR delivers it, including the calculation after "=".
    void TypeCharacter(char16_t ch);
    // The committed string of the input method.
    void InsertCompositionResult(std::u16string_view text);

    // The input method's open state, switched off around dialogs.
    bool ImeOpen() const;
    void SetImeOpen(bool open);
    // The input method's dictionary dialog with the selection as the word.
    void RegisterWord();

    // Context menu item states, by the rules of the menu.
    struct ContextStates {
        bool cut = false;
        bool copy = false;
        bool paste = true;
        bool rectPaste = true;
        bool pageBreakOn = false;
        bool pageBreakOff = false;
        bool registerWord = false;
    };
    ContextStates ContextMenuStates() const;

    // Gives the input method the caret's place; unconditionally when force is set.
    void PlaceCompositionWindow(bool force);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDocumentCreated() override;
    void OnFontChanged() override { PlaceCompositionWindow(true); }
    void OnViewMoved() override;

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnChar(WPARAM wParam, LPARAM lParam);
    LRESULT OnImeComposition(WPARAM wParam, LPARAM lParam);
    LRESULT OnSwallow(WPARAM wParam, LPARAM lParam);
    LRESULT OnImeNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnRightButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);
    LRESULT OnWorkQueue(WPARAM wParam, LPARAM lParam);
    LRESULT OnPictureEditing(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    bool EditPicture(int pictureId);

    HWND MessageOwner() const;

    void OpenInputMethod();
    void ShowContextMenu(POINT screen);
    void CalculateAfterEquals();
    void PasteRectangle(std::u16string_view text);
    bool Shortcut(UINT key, bool shift, bool ctrl, bool alt);

    static const MessageEntry<CEditExp> kMessageMap[];

    CCalcSettings m_calc;
    CMemoPictureLoader* m_pictureLoader = nullptr;
    CMemoPictureStore* m_pictureStore = nullptr;
    std::wstring m_pictureType = L"jpg";
    int m_pictureQuality = 95;
    HMENU m_contextMenu = nullptr;
    DWORD m_imeProperty = 0;
    POINT m_lastCompositionPoint{-1, -1};
    POINT m_lastCandidatePoint{-1, -1};
    bool m_candidateOpen = false;
    bool m_lastCharWasBackspace = false;
    char16_t m_pendingHighSurrogate = 0;
    std::wstring m_tempFile;

    std::unique_ptr<CEditWorkerLink> m_link;
    CEditPictureHooks* m_pictureHooks = nullptr;
    CEditJournal m_journal{*this};
    // The outer lock is taken around every push and pop, before the queue's own.
    std::mutex m_workLock;
    CMsgQueue m_work;
    bool m_dropping = false;
};
