#include "doc/CVelTextView.h"

#include <algorithm>
#include <cstdio>

#include "app/CAppSettings.h"
#include "app/CFileName.h"
#include "app/CJournalRecovery.h"
#include "app/CMainFrame.h"
#include "app/CVelTextApp.h"
#include "app/Resource.h"
#include "app/VelTextMessages.h"
#include "app/WideText.h"
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CMemoPrinter.h"
#include "doc/CVelTextDoc.h"
#include "doc/CViewPanel.h"
#include "framework/CCmdUI.h"
#include "framework/CPrintPreview.h"
#include "framework/CWaitCursor.h"
#include "platform/FileSystem.h"
#include "picture/CBackPictureList.h"
#include "picture/CRotateDlg.h"
#include "framework/CDocument.h"
#include "text/CClipboardText.h"

namespace {

constexpr const char16_t* kWeekdays[] = {u"(日)", u"(月)", u"(火)", u"(水)", u"(木)", u"(金)", u"(土)"};

std::u16string Formatted(const wchar_t* format, int a, int b, int c)
{
    wchar_t buffer[64] = {};
    swprintf(buffer, 64, format, a, b, c);
    return ToU16(buffer);
}

}  // namespace

const MessageEntry<CVelTextView> CVelTextView::kMessageMap[] = {
    {WM_CREATE, &CVelTextView::OnCreate},
    {WM_SIZE, &CVelTextView::OnSize},
    {WM_SETFOCUS, &CVelTextView::OnSetFocus},
    {WM_DESTROY, &CVelTextView::OnDestroy},
};

const CommandEntry<CVelTextView> CVelTextView::kCommandMap[] = {
    {ID_EDIT_COPY, &CVelTextView::OnCopy, &CVelTextView::OnUpdateCopyCut},
    {ID_EDIT_CUT, &CVelTextView::OnCut, &CVelTextView::OnUpdateCopyCut},
    {ID_EDIT_PASTE, &CVelTextView::OnPaste, &CVelTextView::OnUpdatePaste},
    {ID_EDIT_RECT_PASTE, &CVelTextView::OnRectPaste, &CVelTextView::OnUpdateRectPaste},
    {ID_EDIT_UNDO, &CVelTextView::OnUndo, &CVelTextView::OnUpdateUndo},
    {ID_EDIT_UNDO_ALT, &CVelTextView::OnUndo, &CVelTextView::OnUpdateUndo},
    {ID_EDIT_SELECT_ALL, &CVelTextView::OnSelectAll, &CVelTextView::OnUpdateNeedsContent},
    {ID_CALC_ON_EQUALS, &CVelTextView::OnCalcToggle, &CVelTextView::OnUpdateCalcToggle},
    {ID_CALC_RADIX10, &CVelTextView::OnRadix10, &CVelTextView::OnUpdateRadix10},
    {ID_CALC_RADIX16, &CVelTextView::OnRadix16, &CVelTextView::OnUpdateRadix16},
    {ID_CALC_RADIX2, &CVelTextView::OnRadix2, &CVelTextView::OnUpdateRadix2},
    {ID_TEXT_INSERT_DATE, &CVelTextView::OnInsertDate, &CVelTextView::OnUpdateNotBlocked},
    {ID_TEXT_INSERT_TIME, &CVelTextView::OnInsertTime, &CVelTextView::OnUpdateNotBlocked},
    {ID_EDIT_CLEAR_SELECTION, &CVelTextView::OnClear, &CVelTextView::OnUpdateNotBlocked},
    {ID_TEXT_PAGE_BREAK_ON, &CVelTextView::OnPageBreakOn, &CVelTextView::OnUpdatePageBreakOn},
    {ID_TEXT_PAGE_BREAK_OFF, &CVelTextView::OnPageBreakOff, &CVelTextView::OnUpdatePageBreakOff},
    {ID_PICT_RESIZE, &CVelTextView::OnPictureResize, &CVelTextView::OnUpdatePictureEditing},
    {ID_PICT_ROTATE_RIGHT90, &CVelTextView::OnRotateRight90, &CVelTextView::OnUpdatePictureEditing},
    {ID_PICT_ROTATE_LEFT90, &CVelTextView::OnRotateLeft90, &CVelTextView::OnUpdatePictureEditing},
    {ID_PICT_RIGHT5, &CVelTextView::OnRight5, &CVelTextView::OnUpdatePictureEditing},
    {ID_PICT_RIGHT3, &CVelTextView::OnRight3, &CVelTextView::OnUpdatePictureEditing},
    {ID_PICT_RIGHT1, &CVelTextView::OnRight1, &CVelTextView::OnUpdatePictureEditing},
    {ID_PICT_LEFT5, &CVelTextView::OnLeft5, &CVelTextView::OnUpdatePictureEditing},
    {ID_PICT_LEFT3, &CVelTextView::OnLeft3, &CVelTextView::OnUpdatePictureEditing},
    {ID_PICT_LEFT1, &CVelTextView::OnLeft1, &CVelTextView::OnUpdatePictureEditing},
    {ID_PICT_EDIT_END, &CVelTextView::OnPictureEditEnd, &CVelTextView::OnUpdatePictureEditing},
    {ID_PICT_EDIT_START, &CVelTextView::OnPictureEditStart, &CVelTextView::OnUpdatePictureEditStart},
    {ID_PICT_ANGLE, &CVelTextView::OnPictureAngle, &CVelTextView::OnUpdatePictureEditing},
    {ID_TEXT_OPTIONS, &CVelTextView::OnOptions, &CVelTextView::OnUpdateNotBlocked},
    {ID_VIEW_OPTIONS, &CVelTextView::OnViewOptions, &CVelTextView::OnUpdateNotBusy},
    // Printing (the steps and the commands are in CVelTextViewPrint.cpp).
    {ID_FILE_PRINT, &CVelTextView::OnFilePrint, &CVelTextView::OnUpdateNeedsContent},
    {ID_FILE_PRINT_DIRECT, &CVelTextView::OnFilePrintDirect, &CVelTextView::OnUpdateNeedsContent},
    {ID_FILE_PRINT_PREVIEW, &CVelTextView::OnFilePrintPreview, &CVelTextView::OnUpdateNeedsContent},
    {ID_FILE_PRINT_SETUP, &CVelTextView::OnFilePrintSetup, &CVelTextView::OnUpdateNotBlocked},
    // The document saves; the view decides when saving makes sense.
    {ID_FILE_SAVE, nullptr, &CVelTextView::OnUpdateSave},
    {ID_FILE_SAVE_AS, nullptr, &CVelTextView::OnUpdateNeedsContent},
    // The application opens other windows and files; not while the edit window waits for its
    // worker or a picture is being edited.
    {ID_WINDOW_OPEN_ANOTHER, nullptr, &CVelTextView::OnUpdateNotBusy},
    {ID_FILE_OPEN_MEMO, nullptr, &CVelTextView::OnUpdateNotEditingPicture},
    {ID_FILE_ADD, nullptr, &CVelTextView::OnUpdateNotBlocked},
    {ID_FILE_OPEN_HISTORY, nullptr, &CVelTextView::OnUpdateNotBlocked},
    {ID_FILE_ADD_HISTORY, nullptr, &CVelTextView::OnUpdateNotBlocked},
    // The context menu of the text.
    {ID_CONTEXT_CUT, &CVelTextView::OnCut, nullptr},
    {ID_CONTEXT_COPY, &CVelTextView::OnCopy, nullptr},
    {ID_CONTEXT_PASTE, &CVelTextView::OnPaste, nullptr},
    {ID_CONTEXT_RECT_PASTE, &CVelTextView::OnRectPaste, nullptr},
    {ID_CONTEXT_PAGE_BREAK_ON, &CVelTextView::OnPageBreakOn, nullptr},
    {ID_CONTEXT_PAGE_BREAK_OFF, &CVelTextView::OnPageBreakOff, nullptr},
    {ID_CONTEXT_REGISTER_WORD, &CVelTextView::OnRegisterWord, nullptr},
};

namespace {

// Pictures need the application's memory store; a view made without an application (never in the
// program) gets one of its own.
CVMemList& PictureStore()
{
    if (CVelTextApp* app = CVelTextApp::Current())
        return app->MemoryStore();
    static CVMemList own(CVelTextApp::kMemoryBlockSize);
    return own;
}

}  // namespace

CVelTextView::CVelTextView() : m_pictures(PictureStore()) {}

CVelTextView::~CVelTextView()
{
    if (m_preview)
        m_preview->Close();
    DestroyWindow();
}

const CAppSettings* CVelTextView::Settings() const
{
    return CVelTextApp::Current();
}

void CVelTextView::PreCreateWindow(CREATESTRUCTW& cs)
{
    CView::PreCreateWindow(cs);  // a class that receives double clicks
    cs.style |= WS_CLIPCHILDREN;
}

LRESULT CVelTextView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (auto result = DispatchTo(*this, kMessageMap, message, wParam, lParam))
        return *result;
    return CView::WindowProc(message, wParam, lParam);
}

bool CVelTextView::OnCmdMsg(UINT id, CCmdUI* ui)
{
    return RouteCommandTo(*this, kCommandMap, id, ui) || CView::OnCmdMsg(id, ui);
}

LRESULT CVelTextView::OnCreate(WPARAM wParam, LPARAM lParam)
{
    if (CView::WindowProc(WM_CREATE, wParam, lParam) == -1)
        return -1;
    const CAppSettings* settings = Settings();
    const CEditSettings editSettings = settings ? EditSettingsFor(*settings, settings->ReadMemoBase(0).type) : CEditSettings{};
    m_pictures.Attach(m_edit);
    if (!m_edit.Create(Handle(), editSettings, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, kEditWindowName,
                       kEditWindowId))
        return -1;
    m_pictures.Connect();
    SetClassLongPtrW(m_edit.Handle(), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_ARROW)));
    return 0;
}

LRESULT CVelTextView::OnSize(WPARAM, LPARAM lParam)
{
    m_clientWidth = LOWORD(lParam);
    m_clientHeight = HIWORD(lParam);
    if (m_edit.Handle()) {
        SetWindowPos(m_edit.Handle(), nullptr, kFrameWidth, kFrameWidth, std::max(0, m_clientWidth - 2 * kFrameWidth),
                     std::max(0, m_clientHeight - 2 * kFrameWidth), SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    return 0;
}

void CVelTextView::OnDraw(HDC dc)
{
    if (!m_edit.Handle())
        return;
    // The edit window paints everything inside; the view only its thin frame.
    HGDIOBJ old = SelectObject(dc, GetSysColorBrush(COLOR_WINDOW));
    const int w = m_clientWidth;
    const int h = m_clientHeight;
    PatBlt(dc, 0, 0, kFrameWidth, h, PATCOPY);
    PatBlt(dc, w - kFrameWidth, 0, kFrameWidth, h, PATCOPY);
    PatBlt(dc, 0, 0, w, kFrameWidth, PATCOPY);
    PatBlt(dc, 0, h - kFrameWidth, w, kFrameWidth, PATCOPY);
    SelectObject(dc, old);
}

LRESULT CVelTextView::OnSetFocus(WPARAM, LPARAM)
{
    if (m_edit.Handle())
        SetFocus(m_edit.Handle());
    return 0;
}

LRESULT CVelTextView::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    // The memo is written back while the edit window still holds it.
    if (auto* document = dynamic_cast<CVelTextDoc*>(Document()))
        document->SaveMemo(true);
    // A clean end: the journal goes and, as the last copy, so does the reserved file it held.
    // Text that could not be written stays journaled (the edit window keeps it as it goes).
    if (m_edit.Handle() && !m_edit.Doc().Modified() && !m_tempFile.empty()) {
        m_edit.Journal().End();
        const CVelTextApp* app = CVelTextApp::Current();
        if (!app || !app->OtherInstanceExists())
            vel::platform::RemoveFile(ToU16(m_tempFile));
    }
    return CView::WindowProc(WM_DESTROY, wParam, lParam);
}

int CVelTextView::CurrentMemoBase() const
{
    return m_panel ? m_panel->CurrentMemoBase() : m_memoBase;
}

void CVelTextView::SelectMemoBase(int index)
{
    m_memoBase = index;
    if (m_panel)
        m_panel->SelectMemoBase(index);
}

void CVelTextView::SetMemoLocation(const std::wstring& folder, const std::wstring& fileName)
{
    m_memoFolder = folder;
    m_memoFileName = fileName;
    // The memo's pictures are named after its file; a new memo has no name for them yet.
    if (m_edit.Handle())
        m_edit.SetMemoNames(ToU16(folder), fileName.empty() ? u"" : CFileName::Title(ToU16(fileName)));
}

void CVelTextView::SetMemoLocation(const std::wstring& path)
{
    const std::u16string wide = ToU16(path);
    SetMemoLocation(ToWide(CFileName::Directory(wide)), ToWide(CFileName::FileName(wide)));
}

bool CVelTextView::ReadFile(const std::wstring& path)
{
    CWaitCursor wait;
    CDocList& doc = m_edit.Doc();
    const int line = doc.CaretLine();
    const int column = doc.CaretColumn();
    const bool read = m_edit.ReadMemoFile(ToU16(path));
    doc.SetCaret(line, column);
    m_edit.RepaintAll();
    m_edit.ScrollCaretIntoView();
    return read;
}

bool CVelTextView::ReadFileIfReadable(const std::wstring& path)
{
    return CFileName::IsReadableFile(ToU16(path)) && ReadFile(path);
}

CMemoWriteResult CVelTextView::WriteFile(const std::wstring& path, bool keepOriginalSize,
                                         const std::wstring& pictureType, int quality, int saveType)
{
    m_edit.SetPictureChoices(pictureType, quality);
    return m_edit.WriteMemoFile(ToU16(path), saveType, keepOriginalSize);
}

void CVelTextView::DropContent()
{
    m_edit.DropContent();
}

void CVelTextView::PrepareFolders(const std::wstring& memoFolder)
{
    if (m_defaultMemoBase.empty()) {
        m_defaultMemoBase = ToWide(CFileName::DefaultMemoBase());
        m_historyFolder = m_defaultMemoBase;
        m_edit.SetMemoFolder(ToU16(m_defaultMemoBase));
        m_tempFile = ToWide(CFileName::ReserveTempFile(ToU16(m_defaultMemoBase), ToU16(kTempFilePrefix)));
        m_edit.SetTempFile(m_tempFile);
        // The reserved file holds this copy's crash journal beside it.
        if (!m_tempFile.empty())
            m_edit.Journal().Start(ToU16(m_tempFile), [this] { return JournalHeader(); });
    }
    m_edit.SetMemoFolder(ToU16(memoFolder));
}

CJournalHeader CVelTextView::JournalHeader() const
{
    CJournalHeader header;
    if (!m_memoFolder.empty() && !m_memoFileName.empty()) {
        header.newMemo = false;
        header.folder = ToU16(m_memoFolder);
        header.file = ToU16(m_memoFileName);
        return header;
    }
    const CAppSettings* settings = Settings();
    header.newMemo = true;
    header.folder = settings ? CFileName::AddSeparator(ToU16(settings->ReadMemoBase(CurrentMemoBase()).folder))
                             : ToU16(m_defaultMemoBase);
    return header;
}

void CVelTextView::ShowRecoveredMemo()
{
    auto* document = dynamic_cast<CVelTextDoc*>(Document());
    CVelTextApp* app = CVelTextApp::Current();
    if (!document || !app || document->RecoveredMemos().empty() || !document->FilePath().empty())
        return;
    if (!app->LoadMemo(document->RecoveredMemos().back()))
        return;
    if (CMainFrame* frame = app->MainFrame()) {
        frame->StatusBar().SetPaneText(0, ToWide(CJournalRecovery::kStatusText));
        frame->UpdateTitleFromPath(document->RecoveredMemos().back());
        PostMessageW(frame->Handle(), kMsgRefreshMemoList, 0, 0);
    }
}

void CVelTextView::OnInitialUpdate()
{
    PrepareFolders(L"");
    ApplyBackgrounds();
    ApplyFonts();
    m_edit.Doc().SetCaret(0, 0);
    m_edit.RepaintAll();
    if (auto* document = dynamic_cast<CVelTextDoc*>(Document())) {
        document->RecoverJournals();
        document->OpenMemo();
    }
    ShowRecoveredMemo();
}

void CVelTextView::ApplyFonts()
{
    const CAppSettings* settings = Settings();
    if (!settings || !m_edit.Handle())
        return;
    const int type = settings->ReadMemoBase(CurrentMemoBase()).type;
    m_edit.ApplyFont(EditSettingsFor(*settings, type));
}

CEditSettings CVelTextView::EditSettingsFor(const CAppSettings& settings, int displayType)
{
    CEditSettings out;
    out.logFont = settings.LogicalFont(displayType);
    out.fontPoints = settings.ViewFontSize(displayType);
    out.textColour = settings.FontColor(displayType);
    out.columns = settings.ColumnNum();
    out.tabWidth = settings.TabColumn();
    out.lineSpace = settings.LineSpace();
    out.ruledLines = settings.RuledLine();
    out.kinsoku = settings.Kinsoku();
    out.pictureSize = settings.PictureSize();
    // The stored line-breaking sets apply from the start, so that what the user chose in the
    // options survives a restart.
    out.lineStartForbidden = ToU16(settings.TopKinsoku());
    out.lineEndForbidden = ToU16(settings.LastKinsoku());
    out.headingSymbols = ToU16(settings.TopKigo());
    return out;
}

// ---- Search and replace ----

bool CVelTextView::SearchBackward(const std::u16string& text)
{
    const bool found = m_edit.Doc().SearchBackward(text);
    m_edit.Refresh();
    SetFocus(Handle());
    return found;
}

bool CVelTextView::SearchForward(const std::u16string& text)
{
    const bool found = m_edit.Doc().SearchForward(text);
    m_edit.Refresh();
    SetFocus(Handle());
    return found;
}

bool CVelTextView::Replace(const std::u16string& search, const std::u16string& replacement)
{
    m_edit.Doc().TakeUndoCopy();
    const bool replaced = m_edit.Doc().Replace(search, replacement);
    m_edit.Refresh();
    SetFocus(Handle());
    return replaced;
}

// ---- Date and time ----

std::u16string CVelTextView::DateText(const vel::platform::LocalDateTime& time)
{
    std::u16string text = Formatted(L"%4d年%2d月%2d日", time.year, time.month, time.day);
    if (time.year != 0 && time.dayOfWeek >= 0 && time.dayOfWeek < 7)
        text += kWeekdays[time.dayOfWeek];
    return text;
}

std::u16string CVelTextView::TimeText(const vel::platform::LocalDateTime& time)
{
    return Formatted(L"%2d時%2d分%2d秒", time.hour, time.minute, time.second);
}

void CVelTextView::OnInsertDate()
{
    m_edit.Doc().TakeUndoCopy();
    m_edit.InsertText(DateText(vel::platform::CurrentLocalTime()));
}

void CVelTextView::OnInsertTime()
{
    m_edit.Doc().TakeUndoCopy();
    m_edit.InsertText(TimeText(vel::platform::CurrentLocalTime()));
}

// ---- Edit commands ----

HWND CVelTextView::FocusedPanelBox() const
{
    return m_panel ? m_panel->FocusedTextBox() : nullptr;
}

void CVelTextView::OnCopy()
{
    if (!m_edit.HasFocus()) {
        if (HWND box = FocusedPanelBox())
            SendMessageW(box, WM_COPY, 0, 0);
        return;
    }
    // Copying changes nothing, so it takes no undo copy: the last edit stays undoable.
    m_edit.Copy();
    m_edit.Refresh();
}

void CVelTextView::OnCut()
{
    if (!m_edit.HasFocus()) {
        if (HWND box = FocusedPanelBox())
            SendMessageW(box, WM_CUT, 0, 0);
        return;
    }
    if (m_edit.Doc().HasSelection()) {
        m_edit.Doc().TakeUndoCopy();
        m_edit.Cut();
    }
}

void CVelTextView::OnPaste()
{
    if (m_edit.HasFocus()) {
        m_edit.Doc().TakeUndoCopy();
        m_edit.Paste(CEditExp::kNormalPaste);
    } else if (HWND box = FocusedPanelBox()) {
        SendMessageW(box, WM_PASTE, 0, 0);
    }
}

void CVelTextView::OnRectPaste()
{
    m_edit.Paste(CEditExp::kRectanglePaste);
}

void CVelTextView::OnUndo()
{
    m_edit.Undo();
}

void CVelTextView::OnSelectAll()
{
    m_edit.SelectAll();
}

void CVelTextView::OnClear()
{
    CWaitCursor wait;
    // Only the selection goes; the text is untouched, so the last edit stays undoable.
    m_edit.Doc().ClearSelection();
    m_edit.Refresh();
}

void CVelTextView::SetPageBreak(bool on)
{
    m_edit.Doc().TakeUndoCopy();
    m_edit.Doc().SetPageBreak(on);
    m_edit.Refresh();
}

void CVelTextView::OnRegisterWord()
{
    m_edit.RegisterWord();
}

void CVelTextView::OnCalcToggle()
{
    m_edit.Calc().calculateOnEquals = !m_edit.Calc().calculateOnEquals;
}

void CVelTextView::SetRadix(int radix)
{
    m_radix = radix;
    m_edit.Calc().radix = radix;
}

void CVelTextView::SendPictureCommand(UINT id, int value)
{
    if (m_edit.IsBusy())
        return;
    if (CWnd* picture = m_edit.PictureEditWindow(); picture && picture->Handle())
        SendMessageW(picture->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), static_cast<LPARAM>(value));
}

// ---- Command states ----

void CVelTextView::OnUpdateCopyCut(CCmdUI& ui)
{
    if (m_edit.IsBusy())
        ui.Enable(false);
    else if (!m_edit.HasFocus())
        ui.Enable(true);
    else if (m_edit.IsEditingPicture())
        ui.Enable(false);
    else
        ui.Enable(m_edit.Doc().HasSelection());
}

void CVelTextView::OnUpdatePaste(CCmdUI& ui)
{
    const bool clipboard = CClipboardText::HasText() || CClipboardText::HasBitmap();
    if (m_edit.IsBusy())
        ui.Enable(false);
    else if (!m_edit.HasFocus())
        ui.Enable(clipboard);
    else if (m_edit.IsEditingPicture())
        ui.Enable(false);
    else
        ui.Enable(clipboard);
}

void CVelTextView::OnUpdateRectPaste(CCmdUI& ui)
{
    ui.Enable(!Blocked() && CClipboardText::HasText());
}

void CVelTextView::OnUpdateUndo(CCmdUI& ui)
{
    ui.Enable(!Blocked() && m_edit.Doc().UndoAvailable());
}

void CVelTextView::OnUpdateCalcToggle(CCmdUI& ui)
{
    ui.Enable(!Blocked());
    ui.SetCheck(m_edit.Calc().calculateOnEquals);
}

void CVelTextView::UpdateRadix(CCmdUI& ui, int radix)
{
    ui.Enable(!Blocked());
    ui.SetCheck(m_radix == radix);
}

void CVelTextView::OnUpdateNeedsContent(CCmdUI& ui)
{
    ui.Enable(!Blocked() && !m_edit.IsEmptyMemo());
}

void CVelTextView::OnUpdateSave(CCmdUI& ui)
{
    if (m_edit.IsBusy() || Document() == nullptr || Document()->PathName().empty() || m_edit.IsEditingPicture())
        ui.Enable(false);
    else
        ui.Enable(!m_edit.IsEmptyMemo());
}

void CVelTextView::OnUpdateNotBlocked(CCmdUI& ui)
{
    ui.Enable(!Blocked());
}

void CVelTextView::OnUpdateNotEditingPicture(CCmdUI& ui)
{
    ui.Enable(!m_edit.IsEditingPicture());
}

void CVelTextView::OnUpdateNotBusy(CCmdUI& ui)
{
    ui.Enable(!m_edit.IsBusy());
}

void CVelTextView::OnUpdatePictureEditing(CCmdUI& ui)
{
    ui.Enable(!m_edit.IsBusy() && m_edit.IsEditingPicture());
}

void CVelTextView::OnPictureEditStart()
{
    m_edit.EditPictureAtCaret();
}

void CVelTextView::OnPictureAngle()
{
    if (!m_edit.IsEditingPicture())
        return;
    int angle = 0;
    if (CRotateDlg::Ask(Handle(), angle))
        SendPictureCommand(kRotate, angle);
}

void CVelTextView::OnUpdatePictureEditStart(CCmdUI& ui)
{
    const CChapter* chapter = m_edit.Doc().ChapterAtLine(m_edit.Doc().CaretLine());
    ui.Enable(!Blocked() && chapter && chapter->Picture());
}

void CVelTextView::OnUpdatePageBreakOn(CCmdUI& ui)
{
    ui.Enable(!m_edit.IsBusy() && !m_edit.Doc().PageBreakState());
}

void CVelTextView::OnUpdatePageBreakOff(CCmdUI& ui)
{
    ui.Enable(!m_edit.IsBusy() && m_edit.Doc().PageBreakState());
}
