#pragma once
// The framework view of the memo window. It hosts the text edit window inside a thin frame,
// holds the folders of the open memo and routes the Edit, Text, Calculate, Picture edit and View
// commands to the edit window and its document list, deciding for each whether it is enabled.
#include <memory>
#include <string>

#include "framework/CMessageMap.h"
#include "framework/CPrintInfo.h"
#include "framework/CPrinterChoice.h"
#include "framework/CView.h"
#include "picture/CEditPictures.h"
#include "platform/LocalTime.h"
#include "text/CEditExp.h"

class CAppSettings;
class CBackPictureList;
class CFrameWnd;
class CMemoPrinter;
class CPrintPreview;
class CViewPanel;
struct CMemoPrintSetup;

class CVelTextView : public CView, public CPrintClient {
public:
    static constexpr int kFrameWidth = 5;
    static constexpr wchar_t kEditWindowName[] = L"DurEduz Erududｳｨﾝﾄﾞｳ";
    static constexpr wchar_t kTempFilePrefix[] = L"DefBackup";
    static constexpr UINT kEditWindowId = 1;

    CVelTextView();
    ~CVelTextView() override;

    CEditExp& EditWindow() { return m_edit; }
    const CEditExp& EditWindow() const { return m_edit; }
    CEditPictures& Pictures() { return m_pictures; }
    void SetPanel(CViewPanel* panel) { m_panel = panel; }

    // The folders of the open memo.
    const std::wstring& HistoryFolder() const { return m_historyFolder; }
    const std::wstring& DefaultMemoBase() const { return m_defaultMemoBase; }
    const std::wstring& TempFile() const { return m_tempFile; }
    const std::wstring& MemoFolder() const { return m_memoFolder; }
    const std::wstring& MemoFileName() const { return m_memoFileName; }
    void SetMemoLocation(const std::wstring& folder, const std::wstring& fileName);
    void ClearMemoLocation() { SetMemoLocation(L"", L""); }
    // The default memo base and the temporary file on first use, then the memo's own folder.
    void PrepareFolders(const std::wstring& memoFolder);
    // The open memo's folder and file name from a path in the memo store.
    void SetMemoLocation(const std::wstring& path);

    // The memo file read in at the caret, which is put back where it was (within the new
    // content) and scrolled into view.
    bool ReadFile(const std::wstring& path);
    // ReadFile, but only for a file that exists and is neither a folder nor a system file.
    bool ReadFileIfReadable(const std::wstring& path);
    // The memo written to path (save type 0 unless given); the picture choices go to the
    // pictures' files.
    CMemoWriteResult WriteFile(const std::wstring& path, bool keepOriginalSize, const std::wstring& pictureType,
                               int quality, int saveType = 0);
    // The memo emptied for another one: one empty chapter, nothing to undo.
    void DropContent();

    int OutputRadix() const { return m_radix; }
    bool Printing() const { return m_printing; }
    double PrintScale() const { return m_printScale; }

    // Printing: the four print steps the framework's print job and preview call, and what they
    // work with (the printer chosen, the job's state, the preview while it is up).
    bool OnPreparePrinting(CPrintInfo& info) override;
    bool OnBeginPrinting(HDC dc, CPrintInfo& info) override;
    void OnPrint(HDC dc, CPrintInfo& info) override;
    void OnEndPrinting(HDC dc, CPrintInfo& info) override;
    std::wstring PrintTitle() const override;
    CPrinterChoice& Printer() { return m_printer; }
    const CMemoPrinter* MemoPrinter() const { return m_memoPrinter.get(); }
    CPrintPreview* Preview() const { return m_preview.get(); }
    CMemoPrintSetup PrintSetup();
    // The memo base chosen in the control panel (kept here while there is no panel).
    int CurrentMemoBase() const;
    void SelectMemoBase(int index);

    // The background pictures and the screen font of the current memo base's display type.
    void ApplyBackgrounds();
    void ApplyFonts();
    // The text background pictures ("baseview") and the grey ones ("graypic"), set up by the
    // first ApplyBackgrounds; the control-bar pictures are the frame's.
    CBackPictureList* TextPictures() const { return m_viewPictures.get(); }
    CBackPictureList* GreyPictures() const { return m_greyPictures.get(); }
    void SetControlBarPictures(CBackPictureList* pictures) { m_cntlPictures = pictures; }

    // Search and replace for the control panel; the focus comes back to the view afterwards.
    bool SearchBackward(const std::u16string& text);
    bool SearchForward(const std::u16string& text);
    bool Replace(const std::u16string& search, const std::u16string& replacement);

    // "2024年 3月 5日(火)" and " 9時 5分 7秒"; a time that could not be read (year 0) gives
    // zeros and no weekday.
    static std::u16string DateText(const vel::platform::LocalDateTime& time);
    static std::u16string TimeText(const vel::platform::LocalDateTime& time);
    // The edit window's settings for a display type.
    static CEditSettings EditSettingsFor(const CAppSettings& settings, int displayType);

    void OnInitialUpdate() override;
    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

protected:
    void PreCreateWindow(CREATESTRUCTW& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDraw(HDC dc) override;

private:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);

    const CAppSettings* Settings() const;
    // The memo the crash journal belongs to: its place in the memo store, or a new memo's base.
    CJournalHeader JournalHeader() const;
    // At start-up: a memo recovered from a journal of a copy that died is shown.
    void ShowRecoveredMemo();
    HWND FocusedPanelBox() const;
    bool Blocked() const { return m_edit.IsBusy() || m_edit.IsEditingPicture(); }
    void SendPictureCommand(UINT id, int value);

    // Commands
    void OnCopy();
    void OnCut();
    void OnPaste();
    void OnRectPaste();
    void OnUndo();
    void OnSelectAll();
    void OnCalcToggle();
    void OnRadix10() { SetRadix(10); }
    void OnRadix16() { SetRadix(16); }
    void OnRadix2() { SetRadix(2); }
    void SetRadix(int radix);
    void OnInsertDate();
    void OnInsertTime();
    void OnClear();
    void OnPageBreakOn() { SetPageBreak(true); }
    void OnPageBreakOff() { SetPageBreak(false); }
    void SetPageBreak(bool on);
    void OnRegisterWord();
    void OnPictureResize() { SendPictureCommand(32798, 0); }
    void OnRotateRight90() { SendPictureCommand(kRotate, 90); }
    void OnRotateLeft90() { SendPictureCommand(kRotate, 270); }
    void OnRight5() { SendPictureCommand(kRotate, 355); }
    void OnRight3() { SendPictureCommand(kRotate, 357); }
    void OnRight1() { SendPictureCommand(kRotate, 359); }
    void OnLeft5() { SendPictureCommand(kRotate, 5); }
    void OnLeft3() { SendPictureCommand(kRotate, 3); }
    void OnLeft1() { SendPictureCommand(kRotate, 1); }
    void OnPictureEditEnd() { SendPictureCommand(32793, 0); }
    void OnPictureEditStart();
    void OnPictureAngle();
    // "オプション" and "表示オプション"; what OK stored applies at once.
    void OnOptions();
    void OnViewOptions();
    void SetUpBackgroundLists();
    HBITMAP LoadBackground(const std::wstring& path) const;

    // Command states
    void OnUpdateCopyCut(CCmdUI& ui);
    void OnUpdatePaste(CCmdUI& ui);
    void OnUpdateRectPaste(CCmdUI& ui);
    void OnUpdateUndo(CCmdUI& ui);
    void OnUpdateCalcToggle(CCmdUI& ui);
    void OnUpdateRadix10(CCmdUI& ui) { UpdateRadix(ui, 10); }
    void OnUpdateRadix16(CCmdUI& ui) { UpdateRadix(ui, 16); }
    void OnUpdateRadix2(CCmdUI& ui) { UpdateRadix(ui, 2); }
    void UpdateRadix(CCmdUI& ui, int radix);
    void OnUpdateNeedsContent(CCmdUI& ui);
    void OnUpdateSave(CCmdUI& ui);
    void OnUpdateNotBlocked(CCmdUI& ui);
    void OnUpdateNotBusy(CCmdUI& ui);
    void OnUpdateNotEditingPicture(CCmdUI& ui);
    void OnUpdatePictureEditing(CCmdUI& ui);
    void OnUpdatePictureEditStart(CCmdUI& ui);
    void OnUpdatePageBreakOn(CCmdUI& ui);
    void OnUpdatePageBreakOff(CCmdUI& ui);

    // Printing commands
    void OnFilePrint() { RunPrintJob(true); }
    void OnFilePrintDirect() { RunPrintJob(false); }
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void RunPrintJob(bool withDialog);
    CFrameWnd* Frame() const;
    static bool PassesDuringPreview(UINT id);

    static constexpr UINT kRotate = 32897;
    static const MessageEntry<CVelTextView> kMessageMap[];
    static const CommandEntry<CVelTextView> kCommandMap[];

    // The pictures outlive the edit window, whose worker and document list use them until it goes.
    CEditPictures m_pictures;
    CEditExp m_edit;
    CViewPanel* m_panel = nullptr;
    std::unique_ptr<CBackPictureList> m_viewPictures;
    std::unique_ptr<CBackPictureList> m_greyPictures;
    CBackPictureList* m_cntlPictures = nullptr;
    int m_memoBase = 0;
    std::wstring m_historyFolder;
    std::wstring m_defaultMemoBase;
    std::wstring m_tempFile{kTempFilePrefix};
    std::wstring m_memoFolder;
    std::wstring m_memoFileName;
    int m_radix = 10;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    bool m_printing = false;
    double m_printScale = 1.0;
    CPrinterChoice m_printer;
    std::unique_ptr<CMemoPrinter> m_memoPrinter;
    // Last, so that a preview still up ends its print steps while the rest of the view is whole.
    std::unique_ptr<CPrintPreview> m_preview;
};
