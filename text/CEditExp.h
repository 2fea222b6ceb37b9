#pragma once
// The text edit window as the view hosts it: the keyboard shortcuts, typing with the
// calculation after "=", the input method, the clipboard commands and the context menu, on top
// of the basic behaviour of CEditText.
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "calc/CCalcSettings.h"
#include "text/CEditText.h"

class CMemoPictureLoader;

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

    CEditExp();
    ~CEditExp() override;

    CCalcSettings& Calc() { return m_calc; }
    const CCalcSettings& Calc() const { return m_calc; }

    // The memo's folder (picture files are named in it) and the temporary file the view reserved.
    void SetMemoFolder(const std::u16string& folder);
    const std::wstring& TempFile() const { return m_tempFile; }
    void SetTempFile(const std::wstring& path) { m_tempFile = path; }

    // Undoes the last edit (one level) and shows the caret where it was.
    void Undo();

    // What turns picture lines of pasted text into pictures; without one they stay text.
    void SetPictureLoader(CMemoPictureLoader* loader) { m_pictureLoader = loader; }

    // Clipboard commands (the caller takes the undo snapshot).
    bool Copy();
    bool Cut();
    void Paste(PasteMode mode);
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

private:
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

    void OpenInputMethod();
    void ShowContextMenu(POINT screen);
    void CalculateAfterEquals();
    void PasteRectangle(std::u16string_view text);
    bool Shortcut(UINT key, bool shift, bool ctrl, bool alt);

    static const MessageEntry<CEditExp> kMessageMap[];

    CCalcSettings m_calc;
    CMemoPictureLoader* m_pictureLoader = nullptr;
    HMENU m_contextMenu = nullptr;
    DWORD m_imeProperty = 0;
    POINT m_lastCompositionPoint{-1, -1};
    POINT m_lastCandidatePoint{-1, -1};
    bool m_candidateOpen = false;
    bool m_lastCharWasBackspace = false;
    char16_t m_pendingHighSurrogate = 0;
    std::wstring m_tempFile;
};
