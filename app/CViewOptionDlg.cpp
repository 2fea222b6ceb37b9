#include "app/CViewOptionDlg.h"

#include <cwchar>

#include "app/CFileName.h"
#include "app/Resource.h"
#include "app/WideText.h"
#include "framework/CUserMessage.h"
#include "picture/CBackPictureList.h"

namespace {

bool SystemFontDialog(CHOOSEFONTW& choice)
{
    return ChooseFontW(&choice) != FALSE;
}

bool SystemColourDialog(CHOOSECOLORW& choice)
{
    return ChooseColorW(&choice) != FALSE;
}

// The colour dialog's sixteen custom colours, kept for the run as the system's own dialogs do.
COLORREF g_customColours[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
};

std::wstring ControlText(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace

CViewOptionDlg::CViewOptionDlg(const CAppSettings& settings, CBackPictureList* controlBarPictures,
                               CBackPictureList* textPictures, HWND parent)
    : CDialog(IDD_VIEW_OPTIONS, parent),
      m_settings(settings),
      m_controlBar(controlBarPictures, IDC_VOPT_CNTL_PICTURES, IDC_VOPT_CNTL_FILE, &CBackPicData::cntlPic),
      m_text(textPictures, IDC_VOPT_VIEW_PICTURES, IDC_VOPT_VIEW_FILE, &CBackPicData::viewPic),
      m_chooseFont(&SystemFontDialog),
      m_chooseColour(&SystemColourDialog)
{
    const int ppi = PixelsPerInch();
    for (int type = 0; type < kTypes; ++type) {
        auto record = std::make_unique<CBackPicData>();
        record->cntlPic = settings.CntlPic(type);
        record->viewPic = settings.ViewPic(type);
        record->fontPoints = settings.ViewFontSize(type);
        record->logFont = settings.LogicalFont(type);
        record->logFont.lfHeight = -HeightForPoints(record->fontPoints, ppi);
        record->colour = settings.FontColor(type);
        m_records[static_cast<std::size_t>(type)] = std::move(record);
    }
}

CViewOptionDlg::~CViewOptionDlg()
{
    DestroyWindow();
}

void CViewOptionDlg::SetInitialType(int type)
{
    m_shown = type >= 0 && type < kTypes ? type : 0;
}

void CViewOptionDlg::SetChoosers(FontChooser font, ColourChooser colour)
{
    m_chooseFont = font ? font : &SystemFontDialog;
    m_chooseColour = colour ? colour : &SystemColourDialog;
}

int CViewOptionDlg::HeightForPoints(int points, int pixelsPerInch)
{
    return MulDiv(points, pixelsPerInch, 72);
}

int CViewOptionDlg::PointsForCharacterHeight(int characterHeight, int pixelsPerInch)
{
    return MulDiv(characterHeight, 72, pixelsPerInch > 0 ? pixelsPerInch : 96);
}

int CViewOptionDlg::PixelsPerInch() const
{
    HDC screen = GetDC(nullptr);
    const int ppi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}

void CViewOptionDlg::Message(const std::wstring& text) const
{
    CUserMessage::Show(Handle(), text);
}

bool CViewOptionDlg::OnInitDialog()
{
    for (PictureKind* kind : {&m_controlBar, &m_text}) {
        kind->combo.Attach(GetDlgItem(Handle(), kind->comboId), kind->list);
        kind->fileField.Attach(Handle(), kind->fileId);
    }
    m_colour.Attach(Handle(), IDC_VOPT_COLOUR);
    HWND types = GetDlgItem(Handle(), IDC_VOPT_TYPE);
    SendMessageW(types, CB_RESETCONTENT, 0, 0);
    for (int type = 0; type < kTypes; ++type) {
        wchar_t item[8];
        std::swprintf(item, std::size(item), L"%d", type + 1);
        SendMessageW(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(m_shown), 0);
    ShowType();
    return CDialog::OnInitDialog();
}

void CViewOptionDlg::ShowType()
{
    ShowPicture(m_controlBar);
    ShowPicture(m_text);
    ShowFont();
    m_colour.SetColor(Shown().colour);
    SetDlgItemInt(Handle(), IDC_VOPT_SIZE, static_cast<UINT>(Shown().fontPoints), TRUE);
}

void CViewOptionDlg::ShowPicture(PictureKind& kind)
{
    const std::wstring& picture = Shown().*kind.setting;
    // A picture that is no longer offered shows as the first one, which is what the window paints.
    const bool shown = !picture.empty() && kind.list && kind.list->Count() > 0;
    kind.combo.Select(shown ? kind.list->IndexOf(ToU16(picture)) : -1);
    SetDlgItemTextW(Handle(), kind.fileId, picture.c_str());
}

void CViewOptionDlg::ShowFont()
{
    const LOGFONTW& font = Shown().logFont;
    SetDlgItemTextW(Handle(), IDC_VOPT_FONT_NAME, font.lfFaceName);
    HWND field = GetDlgItem(Handle(), IDC_VOPT_FONT_NAME);
    LOGFONTW sample = font;
    // The face at the dialog's own text height, so that the field stays readable.
    LOGFONTW dialogFont{};
    if (HFONT own = reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)))
        GetObjectW(own, sizeof dialogFont, &dialogFont);
    sample.lfHeight = dialogFont.lfHeight != 0 ? dialogFont.lfHeight : -12;
    sample.lfWidth = 0;
    sample.lfEscapement = 0;
    sample.lfOrientation = 0;
    decltype(m_sampleFont) made(CreateFontIndirectW(&sample));
    if (made && field) {
        SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), TRUE);
        m_sampleFont = std::move(made);  // the one before is no longer in use
    }
}

bool CViewOptionDlg::TakeSize()
{
    int points = Shown().fontPoints;
    CDataExchange dx(Handle(), true);
    dx.Text(IDC_VOPT_SIZE, points);
    dx.MinMaxInt(points, kMinimumSize, kMaximumSize);
    if (dx.Failed())
        return false;
    if (points != Shown().fontPoints) {
        Shown().fontPoints = points;
        Shown().logFont.lfHeight = -HeightForPoints(points, PixelsPerInch());
    }
    return true;
}

void CViewOptionDlg::OnTypeChanged()
{
    HWND types = GetDlgItem(Handle(), IDC_VOPT_TYPE);
    const LRESULT chosen = SendMessageW(types, CB_GETCURSEL, 0, 0);
    if (chosen == CB_ERR || chosen == m_shown)
        return;
    // The size typed for the type shown so far belongs to it.
    if (!TakeSize()) {
        SendMessageW(types, CB_SETCURSEL, static_cast<WPARAM>(m_shown), 0);
        return;
    }
    m_shown = static_cast<int>(chosen);
    ShowType();
}

void CViewOptionDlg::OnPictureChosen(PictureKind& kind)
{
    const int index = kind.combo.Selected();
    if (index < 0 || !kind.list)
        return;
    Shown().*kind.setting = ToWide(kind.list->NameAt(index));
    SetDlgItemTextW(Handle(), kind.fileId, (Shown().*kind.setting).c_str());
}

void CViewOptionDlg::OnAddPicture(PictureKind& kind)
{
    if (!kind.list)
        return;
    const std::u16string file = CFileName::ToLower(ToU16(ControlText(Handle(), kind.fileId)));
    const int before = kind.list->Count();
    if (!CFileName::IsPictureFile(file) || !kind.list->AddPending(file)) {
        Message(kNotAPicture);
        return;
    }
    kind.list->Commit();
    kind.combo.Fill();
    // A picture whose copy could not be made is dropped by the commit.
    if (kind.list->Count() != before + 1) {
        ShowPicture(kind);
        return;
    }
    kind.combo.Select(before);
    Shown().*kind.setting = ToWide(kind.list->NameAt(before));
    SetDlgItemTextW(Handle(), kind.fileId, (Shown().*kind.setting).c_str());
}

void CViewOptionDlg::OnRemovePicture(PictureKind& kind)
{
    const int index = kind.combo.Selected();
    if (!kind.list || index < 0)
        return;
    const std::wstring removed = ToWide(kind.list->NameAt(index));
    kind.list->Hide(index);
    kind.combo.Fill();
    // Every type that used the picture loses it, so that none falls back to another picture.
    for (auto& record : m_records) {
        if ((*record).*kind.setting == removed)
            (*record).*kind.setting = std::wstring();
    }
    Shown().*kind.setting = std::wstring();
    SetDlgItemTextW(Handle(), kind.fileId, L"");
}

void CViewOptionDlg::OnChangeFont()
{
    const int ppi = PixelsPerInch();
    LOGFONTW font = Shown().logFont;
    // The dialog opens at the type's own size.
    font.lfHeight = -HeightForPoints(Shown().fontPoints, ppi);
    CHOOSEFONTW choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = Handle();
    choice.lpLogFont = &font;
    choice.Flags = kFontDialogFlags;
    if (!m_chooseFont(choice))
        return;
    HFONT created = CreateFontIndirectW(&font);
    if (!created)
        return;
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, created);
    TEXTMETRICW metrics{};
    const bool measured = GetTextMetricsW(screen, &metrics) != FALSE;
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(created);
    if (!measured)
        return;
    Shown().logFont = font;
    Shown().fontPoints = PointsForCharacterHeight(metrics.tmHeight - metrics.tmInternalLeading, ppi);
    ShowFont();
    SetDlgItemInt(Handle(), IDC_VOPT_SIZE, static_cast<UINT>(Shown().fontPoints), TRUE);
}

void CViewOptionDlg::OnChangeColour()
{
    CHOOSECOLORW choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = Handle();
    choice.rgbResult = Shown().colour;
    choice.lpCustColors = g_customColours;
    choice.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!m_chooseColour(choice))
        return;
    Shown().colour = choice.rgbResult;
    m_colour.SetColor(choice.rgbResult);
}

void CViewOptionDlg::OnOK()
{
    if (!TakeSize())
        return;
    for (int type = 0; type < kTypes; ++type) {
        const CBackPicData& record = Record(type);
        m_settings.SetCntlPic(type, record.cntlPic);
        m_settings.SetViewPic(type, record.viewPic);
        m_settings.SetFontColor(type, record.colour);
        m_settings.SetViewFontSize(type, record.fontPoints);
        m_settings.SetLogicalFont(type, record.logFont);
    }
    // The pictures removed here are no type's any more: their copies go now, not at some later
    // addition.
    for (PictureKind* kind : {&m_controlBar, &m_text}) {
        if (kind->list)
            kind->list->Commit();
    }
    EndDialog(IDOK);
}

void CViewOptionDlg::OnCancel()
{
    for (PictureKind* kind : {&m_controlBar, &m_text}) {
        if (kind->list)
            kind->list->Reset();
    }
    EndDialog(IDCANCEL);
}

bool CViewOptionDlg::OnCmdMsg(UINT id, CCmdUI* ui)
{
    if (ui == nullptr) {
        switch (id) {
        case IDC_VOPT_CNTL_ADD:
            OnAddPicture(m_controlBar);
            return true;
        case IDC_VOPT_VIEW_ADD:
            OnAddPicture(m_text);
            return true;
        case IDC_VOPT_CNTL_REMOVE:
            OnRemovePicture(m_controlBar);
            return true;
        case IDC_VOPT_VIEW_REMOVE:
            OnRemovePicture(m_text);
            return true;
        case IDC_VOPT_FONT_CHANGE:
            OnChangeFont();
            return true;
        case IDC_VOPT_COLOUR_CHANGE:
            OnChangeColour();
            return true;
        default:
            break;
        }
    }
    return CDialog::OnCmdMsg(id, ui);
}

bool CViewOptionDlg::OnControlNotify(UINT id, UINT code, HWND control)
{
    if (code == CBN_SELCHANGE) {
        if (id == IDC_VOPT_TYPE) {
            OnTypeChanged();
            return true;
        }
        if (id == IDC_VOPT_CNTL_PICTURES) {
            OnPictureChosen(m_controlBar);
            return true;
        }
        if (id == IDC_VOPT_VIEW_PICTURES) {
            OnPictureChosen(m_text);
            return true;
        }
    }
    return CDialog::OnControlNotify(id, code, control);
}

LRESULT CViewOptionDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM && lParam != 0) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (m_controlBar.combo.DrawItem(item) || m_text.combo.DrawItem(item))
            return TRUE;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
