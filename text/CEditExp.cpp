#include "text/CEditExp.h"

#include <windowsx.h>
#include <imm.h>
#include <shellapi.h>

#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CDocListMemo.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"
#include "text/CClipboardText.h"
#include "text/CEditPictureHooks.h"
#include "text/CGdiTextFont.h"
#include "text/CImeContext.h"
#include "text/CLineSplitter.h"
#include "text/CMemoPictureLoader.h"
#include "text/CMemoPictureStore.h"
#include "text/CMemoReader.h"
#include "text/CMemoWriter.h"
#include "text/CPictureTag.h"

namespace {

// Native characters in full shape: what a Japanese user types into a memo.
constexpr DWORD kConversionMode = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
constexpr DWORD kImeDrawsAtCaret = 0x10000;  // IME_PROP_AT_CARET
constexpr DWORD kCandidateForcePosition = 0x20;

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

// Without a picture loader picture lines of pasted text stay text.
class TextOnlyPictures : public CMemoPictureLoader {
public:
    bool LoadAtCaret(const std::u16string&, const CPictureTag&) override { return false; }
};

TextOnlyPictures g_textOnlyPictures;

// Without a picture store no picture file is written.
class NoPictureStore : public CMemoPictureStore {
public:
    bool Store(int, std::u16string&) override { return false; }
    bool Record(int, CMemoPictureRecord&) const override { return false; }
};

NoPictureStore g_noPictureStore;

int CharacterCount(std::u16string_view text)
{
    int count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            ++i;
        ++count;
    }
    return count;
}

bool KeyDown(int key) { return GetKeyState(key) < 0; }

}  // namespace

const MessageEntry<CEditExp> CEditExp::kMessageMap[] = {
    {WM_SETFOCUS, &CEditExp::OnSetFocus},
    {WM_KILLFOCUS, &CEditExp::OnKillFocus},
    {WM_KEYDOWN, &CEditExp::OnKeyDown},
    {WM_SYSKEYDOWN, &CEditExp::OnSysKeyDown},
    {WM_CHAR, &CEditExp::OnChar},
    {WM_IME_COMPOSITION, &CEditExp::OnImeComposition},
    {WM_IME_CHAR, &CEditExp::OnSwallow},
    {kQueueMessage, &CEditExp::OnSwallow},
    {WM_IME_NOTIFY, &CEditExp::OnImeNotify},
    {WM_RBUTTONDOWN, &CEditExp::OnRightButtonDown},
    {WM_CONTEXTMENU, &CEditExp::OnContextMenu},
    {WM_DESTROY, &CEditExp::OnDestroy},
    {WM_DROPFILES, &CEditExp::OnDropFiles},
    {kWorkQueueMessage, &CEditExp::OnWorkQueue},
    {WM_TIMER, &CEditExp::OnTimer},
};

CEditExp::CEditExp()
    : m_pictureLoader(&g_textOnlyPictures), m_pictureStore(&g_noPictureStore), m_link(std::make_unique<CEditWorkerLink>())
{
}

void CEditExp::SetPictureLoader(CMemoPictureLoader* loader)
{
    m_pictureLoader = loader ? loader : &g_textOnlyPictures;
}

void CEditExp::SetPictureStore(CMemoPictureStore* store)
{
    m_pictureStore = store ? store : &g_noPictureStore;
}

bool CEditExp::ReadMemoFile(const std::u16string& path)
{
    if (m_pictureHooks)
        m_pictureHooks->PrepareToRead(path);
    CaretHold hold(*this);
    CDocListMemoSink sink(Doc());
    CMemoReader reader(sink, *m_pictureLoader);
    return reader.ReadFile(path);
}

CMemoWriteResult CEditExp::WriteMemoFile(const std::u16string& path, int saveType, bool withAttributes)
{
    const CDocListMemoSource source(Doc());
    std::unique_ptr<CMemoPictureStore> store =
        m_pictureHooks ? m_pictureHooks->StoreFor(path, m_pictureType, m_pictureQuality) : nullptr;
    CMemoWriter writer(source, store ? *store : *m_pictureStore);
    return writer.WriteFile(path, saveType, withAttributes);
}

CEditExp::~CEditExp()
{
    DestroyWindow();
}

void CEditExp::OnDocumentCreated()
{
    m_contextMenu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kContextMenuResource));
    m_imeProperty = ImmGetProperty(GetKeyboardLayout(0), IGP_PROPERTY);
    OpenInputMethod();
    DragAcceptFiles(Handle(), TRUE);
    StartWorker();
}

LRESULT CEditExp::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = Dispatch(message, wParam, lParam);
    // Keys that come faster than the window handles them hold its timer back (a timer message
    // waits for an empty queue), so the journal's clock is looked at after every key as well.
    if (message == WM_CHAR || message == WM_KEYDOWN || message == WM_IME_COMPOSITION || message == WM_IME_CHAR)
        m_journal.AfterInput();
    return result;
}

LRESULT CEditExp::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (Handle() != nullptr && message != WM_CREATE && message != WM_NCCREATE) {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_LBUTTONDBLCLK:
            return OnMouse(message, wParam, lParam);
        case kPictureReply:
        case kPictureNotify:
            return OnPictureEditing(message, wParam, lParam);
        default:
            if (auto result = DispatchTo(*this, kMessageMap, message, wParam, lParam))
                return *result;
        }
    }
    return CEditText::WindowProc(message, wParam, lParam);
}

LRESULT CEditExp::OnTimer(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CEditJournal::kTimer) {
        m_journal.OnTimer();
        return 0;
    }
    return DefWindowProc(WM_TIMER, wParam, lParam);
}

LRESULT CEditExp::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    // Text that could not be written back stays in the journal for the next start.
    if (Doc().Modified())
        m_journal.Keep();
    else
        m_journal.End();
    StopWorker();
    if (m_pictureHooks)
        m_pictureHooks->Detach();
    {
        std::lock_guard<std::mutex> lock(m_workLock);
        m_work.Clear();
    }
    if (m_contextMenu) {
        DestroyMenu(m_contextMenu);
        m_contextMenu = nullptr;
    }
    return DefWindowProc(WM_DESTROY, wParam, lParam);
}

// ---- Input method ----

void CEditExp::OpenInputMethod()
{
    CImeContext ime(Handle());
    if (!ime)
        return;
    DWORD conversion = 0;
    DWORD sentence = 0;
    ImmGetConversionStatus(ime.Handle(), &conversion, &sentence);
    ImmSetConversionStatus(ime.Handle(), kConversionMode, sentence);
    if (const CGdiTextFont* font = CGdiTextFont::Of(Doc().Font(CDocList::kScreenFont))) {
        LOGFONTW logFont = font->LogFont();
        ImmSetCompositionFontW(ime.Handle(), &logFont);
    }
    if (!ime.IsOpen())
        ime.SetOpen(true);
    if ((m_imeProperty & kImeDrawsAtCaret) == 0)
        PlaceCompositionWindow(true);
}

bool CEditExp::ImeOpen() const
{
    CImeContext ime(Handle());
    return ime.IsOpen();
}

void CEditExp::SetImeOpen(bool open)
{
    CImeContext ime(Handle());
    ime.SetOpen(open);
}

void CEditExp::PlaceCompositionWindow(bool force)
{
    const POINT caret = CaretPoint();
    if (!force && caret.x == m_lastCompositionPoint.x && caret.y == m_lastCompositionPoint.y)
        return;
    m_lastCompositionPoint = caret;
    CImeContext ime(Handle());
    if (!ime)
        return;
    if (force) {
        if (const CGdiTextFont* font = CGdiTextFont::Of(Doc().Font(CDocList::kScreenFont))) {
            LOGFONTW logFont = font->LogFont();
            ImmSetCompositionFontW(ime.Handle(), &logFont);
        }
    }
    COMPOSITIONFORM composition{};
    composition.dwStyle = CFS_POINT;
    composition.ptCurrentPos = caret;
    ImmSetCompositionWindow(ime.Handle(), &composition);

    CANDIDATEFORM candidate{};
    candidate.dwIndex = 0;
    candidate.dwStyle = kCandidateForcePosition;
    candidate.ptCurrentPos = POINT{caret.x, caret.y + Doc().LineHeight()};
    m_lastCandidatePoint = candidate.ptCurrentPos;
    ImmSetCandidateWindow(ime.Handle(), &candidate);
}

void CEditExp::RegisterWord()
{
    if (!Doc().HasSelection())
        return;
    std::u16string word = Doc().SelectedText().text;
    std::wstring wide(word.begin(), word.end());
    REGISTERWORDW registration{};
    registration.lpReading = nullptr;
    registration.lpWord = wide.data();
    ImmConfigureIMEW(GetKeyboardLayout(0), Handle(), IME_CONFIG_REGISTERWORD, &registration);
}

LRESULT CEditExp::OnSetFocus(WPARAM, LPARAM)
{
    SetFocusBase();
    {
        CImeContext ime(Handle());
        if (ime)
            ImmNotifyIME(ime.Handle(), NI_OPENCANDIDATE, 0, 0);
    }
    PlaceCompositionWindow(true);
    return 0;
}

LRESULT CEditExp::OnKillFocus(WPARAM, LPARAM)
{
    KillFocusBase();
    {
        // An open composition is committed, so its text goes into the memo and is not lost.
        CImeContext ime(Handle());
        if (ime && ImmGetCompositionStringW(ime.Handle(), GCS_COMPSTR, nullptr, 0) > 0)
            ime.CompleteComposition();
    }
    m_lastCompositionPoint = POINT{-1, -1};
    m_lastCandidatePoint = POINT{-1, -1};
    return 0;
}

LRESULT CEditExp::OnImeComposition(WPARAM wParam, LPARAM lParam)
{
    if ((lParam & GCS_RESULTSTR) != 0 && !IsBusy() && !IsEditingPicture()) {
        std::u16string result;
        {
            CImeContext ime(Handle());
            result = ime.ResultString();
        }
        if (!result.empty()) {
            Doc().TakeUndoCopy();
            InsertCompositionResult(result);
        }
    }
    return DefWindowProc(WM_IME_COMPOSITION, wParam, lParam);
}

LRESULT CEditExp::OnSwallow(WPARAM, LPARAM)
{
    return 0;
}

LRESULT CEditExp::OnImeNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == IMN_OPENCANDIDATE) {
        m_candidateOpen = true;
        PlaceCompositionWindow(true);
    } else if (wParam == IMN_CLOSECANDIDATE) {
        m_candidateOpen = false;
    }
    return DefWindowProc(WM_IME_NOTIFY, wParam, lParam);
}

// ---- Typing ----

void CEditExp::InsertText(std::u16string_view text)
{
    m_keySelecting = false;
    CDocList& doc = Doc();
    doc.DeleteSelection();
    doc.InsertAtCaret(text);
    Refresh();
}

void CEditExp::TypeCharacter(char16_t ch)
{
    m_keySelecting = false;
    CDocList& doc = Doc();
    if (ch == u'\b') {
        if (!doc.DeleteSelection())
            doc.DeleteBeforeCaret();
        Refresh();
        m_lastCharWasBackspace = true;
        return;
    }
    doc.DeleteSelection();
    if (ch == u'\r' || ch == u'\n') {
        doc.InsertAtCaret(u"\n");
    } else {
        const char16_t one[1] = {ch};
        doc.InsertAtCaret(std::u16string_view(one, 1));
    }
    Refresh();
    // "=" right after a Backspace is a correction, not a request to calculate.
    if (CCalcSettings::IsTrigger(ch) && !m_lastCharWasBackspace)
        CalculateAfterEquals();
    m_lastCharWasBackspace = false;
}

void CEditExp::InsertCompositionResult(std::u16string_view text)
{
    InsertText(text);
    if (CCalcSettings::EndsWithTrigger(text))
        CalculateAfterEquals();
    m_lastCharWasBackspace = false;
    PlaceCompositionWindow(false);
}

void CEditExp::CalculateAfterEquals()
{
    const std::optional<std::u16string> result = m_calc.ResultFor(Doc().TextToCaret());
    if (!result || result->empty())
        return;
    InsertText(*result);
}

LRESULT CEditExp::OnChar(WPARAM wParam, LPARAM lParam)
{
    if (IsBusy())
        return 0;
    if (IsEditingPicture())
        return DefWindowProc(WM_CHAR, wParam, lParam);
    char16_t ch = static_cast<char16_t>(wParam);
    // Control characters other than Backspace, TAB and the line ends (Ctrl+letter combinations)
    // are not text.
    if ((ch < 0x20 && ch != u'\b' && ch != u'\t' && ch != u'\r' && ch != u'\n') || ch == 0x7F)
        return 0;
    // The halves of a pair arrive one by one; the pair goes in as one character.
    if (IsHighSurrogate(ch)) {
        m_pendingHighSurrogate = ch;
        return 0;
    }
    if (IsLowSurrogate(ch) && m_pendingHighSurrogate != 0) {
        const char16_t pair[2] = {m_pendingHighSurrogate, ch};
        m_pendingHighSurrogate = 0;
        Doc().TakeUndoCopy();
        InsertText(std::u16string_view(pair, 2));
        m_lastCharWasBackspace = false;
        return 0;
    }
    m_pendingHighSurrogate = 0;
    Doc().TakeUndoCopy();
    const int repeat = std::max(1, static_cast<int>(LOWORD(lParam)));
    for (int i = 0; i < repeat; ++i)
        TypeCharacter(ch);
    PlaceCompositionWindow(false);
    return 0;
}

void CEditExp::Undo()
{
    if (!Doc().Undo())
        return;
    RepaintAll();
    ScrollCaretIntoView();
}

void CEditExp::SetMemoFolder(const std::u16string& folder)
{
    SetMemoNames(folder, Doc().Title());
}

void CEditExp::SetMemoNames(const std::u16string& folder, const std::u16string& title)
{
    CDocList& doc = Doc();
    doc.SetMemoNames(folder, doc.SecondName(), title);
    if (m_pictureHooks)
        m_pictureHooks->MemoNamesChanged(folder, title);
}

void CEditExp::DropContent()
{
    if (m_pictureHooks && IsEditingPicture()) {
        m_pictureHooks->EndEditing();
        SetPictureEditWindow(nullptr);
    }
    Doc().Reset();
    if (m_pictureHooks)
        m_pictureHooks->ContentDropped();
    RepaintAll();
}

bool CEditExp::EditPicture(int pictureId)
{
    if (!m_pictureHooks || IsEditingPicture() || IsBusy())
        return false;
    CWnd* window = m_pictureHooks->BeginEditing(pictureId);
    SetPictureEditWindow(window);
    // The editing window takes the wheel and the keys that zoom and move the picture.
    if (window && window->Handle())
        SetFocus(window->Handle());
    RepaintAll();
    return window != nullptr;
}

bool CEditExp::EditPictureAtCaret()
{
    const CChapter* chapter = Doc().ChapterAtLine(Doc().CaretLine());
    return chapter && chapter->Picture() && EditPicture(chapter->Picture()->PictureId());
}

LRESULT CEditExp::OnPictureEditing(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_pictureHooks)
        return 0;
    const bool wasEditing = IsEditingPicture();
    SetPictureEditWindow(m_pictureHooks->OnEditingMessage(message, wParam, lParam));
    if (wasEditing && !IsEditingPicture())
        SetFocus(Handle());
    RepaintAll();
    return 0;
}

void CEditExp::OnViewMoved()
{
    if (m_pictureHooks && IsEditingPicture())
        m_pictureHooks->Reposition();
}

// ---- Keys ----

bool CEditExp::Shortcut(UINT key, bool shift, bool ctrl, bool alt)
{
    const bool shiftAlone = shift && !ctrl && !alt;
    const bool ctrlAlone = ctrl && !shift && !alt;
    CDocList& doc = Doc();
    if ((key == VK_INSERT && shiftAlone) || (key == 'V' && ctrlAlone)) {
        doc.TakeUndoCopy();
        Paste(kNormalPaste);
        return true;
    }
    if (key == 'B' && ctrlAlone) {
        Paste(kRectanglePaste);
        return true;
    }
    if ((key == VK_INSERT && ctrlAlone) || (key == 'C' && ctrlAlone)) {
        // Copying changes nothing: the last edit stays undoable.
        Copy();
        return true;
    }
    if ((key == VK_DELETE && shiftAlone) || (key == 'X' && ctrlAlone)) {
        if (doc.HasSelection()) {
            doc.TakeUndoCopy();
            Cut();
        }
        return true;
    }
    if (key == 'Z' && ctrlAlone) {
        Undo();
        return true;
    }
    return false;
}

LRESULT CEditExp::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    if (IsBusy())
        return 0;
    if (IsEditingPicture())
        return DefWindowProc(WM_KEYDOWN, wParam, lParam);
    const UINT key = static_cast<UINT>(wParam);
    const bool shift = KeyDown(VK_SHIFT);
    const bool ctrl = KeyDown(VK_CONTROL);
    const bool alt = KeyDown(VK_MENU);
    if (Shortcut(key, shift, ctrl, alt))
        return 0;
    if (CaretKey(key, shift, ctrl)) {
        m_lastCharWasBackspace = false;
        PlaceCompositionWindow(false);
        return 0;
    }
    return DefWindowProc(WM_KEYDOWN, wParam, lParam);
}

LRESULT CEditExp::OnSysKeyDown(WPARAM wParam, LPARAM lParam)
{
    if (!IsBusy() && !IsEditingPicture() && wParam == VK_INSERT) {
        Paste(kRectanglePaste);
        return 0;
    }
    return DefWindowProc(WM_SYSKEYDOWN, wParam, lParam);
}

// ---- Mouse ----

LRESULT CEditExp::OnMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsEditingPicture()) {
        CancelDrag();
        return DefWindowProc(message, wParam, lParam);
    }
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    const bool shift = (wParam & MK_SHIFT) != 0;
    switch (message) {
    case WM_LBUTTONDOWN:
        LeftButtonDown(x, y, shift, KeyDown(VK_MENU));
        break;
    case WM_MOUSEMOVE:
        if (!Dragging())
            return 0;
        MouseMoveWhileDragging(x, y, shift);
        break;
    case WM_LBUTTONUP:
        LeftButtonUp(x, y, shift);
        break;
    case WM_LBUTTONDBLCLK: {
        // On a picture the double click opens it for editing; elsewhere it selects a word.
        int line = 0;
        int column = 0;
        Doc().HitTest(x, y, line, column);
        const CChapter* chapter = Doc().ChapterAtLine(line);
        if (chapter && chapter->Picture() && m_pictureHooks) {
            CancelDrag();
            EditPicture(chapter->Picture()->PictureId());
            return 0;
        }
        DoubleClick(x, y);
        break;
    }
    }
    m_lastCharWasBackspace = false;
    PlaceCompositionWindow(false);
    return 0;
}

// ---- Context menu ----

CEditExp::ContextStates CEditExp::ContextMenuStates() const
{
    ContextStates states;
    const bool selection = Doc().HasSelection();
    states.cut = selection;
    states.copy = selection;
    states.registerWord = selection;
    const bool pageBreak = Doc().PageBreakState();
    states.pageBreakOn = !pageBreak;
    states.pageBreakOff = pageBreak;
    return states;
}

void CEditExp::ShowContextMenu(POINT screen)
{
    if (!m_contextMenu || IsEditingPicture())
        return;
    HMENU popup = GetSubMenu(m_contextMenu, 0);
    if (!popup)
        return;
    const ContextStates states = ContextMenuStates();
    const auto enable = [popup](UINT id, bool on) {
        EnableMenuItem(popup, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(kContextCut, states.cut);
    enable(kContextCopy, states.copy);
    enable(kContextPaste, states.paste);
    enable(kContextRectPaste, states.rectPaste);
    enable(kContextPageBreakOn, states.pageBreakOn);
    enable(kContextPageBreakOff, states.pageBreakOff);
    enable(kContextRegisterWord, states.registerWord);
    const UINT command = static_cast<UINT>(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                                          screen.x, screen.y, 0, Handle(), nullptr));
    if (command != 0)
        SendMessageW(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

LRESULT CEditExp::OnRightButtonDown(WPARAM wParam, LPARAM lParam)
{
    if (IsEditingPicture())
        return DefWindowProc(WM_RBUTTONDOWN, wParam, lParam);
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(Handle(), &point);
    ShowContextMenu(point);
    return 0;
}

LRESULT CEditExp::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    // The right button has shown the menu already; this is the keyboard's menu key.
    if (lParam != -1 || IsEditingPicture())
        return DefWindowProc(WM_CONTEXTMENU, wParam, lParam);
    POINT point = CaretPoint();
    point.y += Doc().LineHeight();
    ClientToScreen(Handle(), &point);
    ShowContextMenu(point);
    return 0;
}

// ---- Clipboard ----

bool CEditExp::Copy()
{
    CDocList& doc = Doc();
    if (!doc.HasSelection())
        return false;
    const CDocList::RangeText range = doc.SelectedText();
    if (range.text.empty())
        return false;
    return CClipboardText::Put(Handle(), range.text);
}

bool CEditExp::Cut()
{
    // The text leaves the memo only once it is safely on the clipboard.
    if (!Copy())
        return false;
    Doc().DeleteSelection();
    Refresh();
    return true;
}

void CEditExp::PastePicture()
{
    if (m_pictureHooks && m_pictureHooks->PasteClipboardPicture())
        RepaintAll();
}

void CEditExp::Paste(PasteMode mode)
{
    const std::optional<std::u16string> text = CClipboardText::Get(Handle());
    if (!text || text->empty()) {
        // A clipboard with a bitmap and no text still pastes the picture.
        PastePicture();
        return;
    }
    if (mode == kRectanglePaste) {
        PasteRectangle(*text);
        PastePicture();
        return;
    }
    CDocList& doc = Doc();
    doc.DeleteSelection();
    {
        CaretHold hold(*this);
        CDocListMemoSink sink(doc);
        CMemoReader reader(sink, *m_pictureLoader);
        reader.ReadLines(*text, u"", true);
    }
    Refresh();
    PastePicture();
}

void CEditExp::PasteRectangle(std::u16string_view text)
{
    CaretHold hold(*this);
    CDocList& doc = Doc();
    doc.TakeUndoCopy();
    CLineSplitter lines(text);
    std::u16string_view row;
    bool lineEnd = false;
    bool more = lines.Next(row, lineEnd);
    while (more) {
        const std::u16string_view current = row;
        const bool currentEnded = lineEnd;
        more = lines.Next(row, lineEnd);
        CPictureTag tag;
        if (CPictureTag::Parse(current, true, tag))
            continue;
        doc.DeleteSelection();
        if (currentEnded)
            doc.MoveCaret(0, 0, false);  // makes sure the caret's line exists
        doc.InsertAtCaret(current);
        // Back to where the row began, then one display line down in the same cell column; the
        // last row leaves the caret behind itself, with no empty line added below.
        if (more) {
            doc.MoveCaret(0, -CharacterCount(current), false);
            doc.MoveCaret(1, 0, true);
        }
    }
    Refresh();
}
