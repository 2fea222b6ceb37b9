#include "app/COptionDlg.h"

#include <commctrl.h>

#include "app/Resource.h"
#include "text/CLayoutSettings.h"

namespace {

struct Range {
    int minimum;
    int maximum;
};

constexpr Range kColumns{20, 1000};
constexpr Range kLineSpace{2, 10};
constexpr Range kTabColumn{1, 12};
constexpr Range kQuality{10, 100};
constexpr Range kSaveMax{0, 1000};
constexpr Range kLeftSpace{0, 30};
constexpr Range kTopSpace{3, 15};
constexpr Range kBottomSpace{3, 15};
// The print font size takes any number; its arrows step through sizes that make sense.
constexpr Range kPrintFontArrows{1, 72};

struct Spin {
    int id;
    Range range;
};

constexpr Spin kSpins[] = {
    {IDC_OPT_LINE_SPACE_SPIN, kLineSpace}, {IDC_OPT_TAB_SPIN, kTabColumn},
    {IDC_OPT_SAVE_MAX_SPIN, kSaveMax},     {IDC_OPT_PRINT_FONT_SPIN, kPrintFontArrows},
    {IDC_OPT_LEFT_SPACE_SPIN, kLeftSpace}, {IDC_OPT_TOP_SPACE_SPIN, kTopSpace},
    {IDC_OPT_BTM_SPACE_SPIN, kBottomSpace},
};

constexpr int kFormatButtons[] = {IDC_OPT_JPEG, IDC_OPT_BMP, IDC_OPT_PNG, IDC_OPT_TIF};

void IntField(CDataExchange& dx, int id, int& value, const Range& range)
{
    dx.Text(id, value);
    dx.MinMaxInt(value, range.minimum, range.maximum);
}

std::wstring Wide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

}  // namespace

COptionDlg::COptionDlg(const CAppSettings& settings, HWND parent)
    : CDialog(IDD_OPTIONS, parent), m_settings(settings), m_fields(Read(settings))
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
}

COptionDlg::Fields COptionDlg::Defaults()
{
    Fields fields;
    fields.topKinsoku = Wide(CLayoutSettings::kDefaultLineStartForbidden);
    fields.lastKinsoku = Wide(CLayoutSettings::kDefaultLineEndForbidden);
    fields.topKigo = Wide(CLayoutSettings::kDefaultHeadingSymbols);
    return fields;
}

COptionDlg::Fields COptionDlg::Read(const CAppSettings& settings)
{
    Fields fields;
    fields.columns = settings.ColumnNum();
    fields.lineSpace = settings.LineSpace();
    fields.ruledLine = settings.RuledLine();
    fields.tabColumn = settings.TabColumn();
    fields.kinsoku = settings.Kinsoku();
    fields.topKinsoku = settings.TopKinsoku();
    fields.lastKinsoku = settings.LastKinsoku();
    fields.topKigo = settings.TopKigo();
    fields.fileDialog = settings.FileDlg();
    fields.pictureSize = settings.PictureSize();
    fields.saveExt = settings.SaveExt();
    fields.quality = settings.SaveQuality();
    fields.saveOriginal = settings.SaveOrignal();
    const int saveMax = settings.SaveMax();
    fields.limit = saveMax != kNoLimit;
    fields.saveMax = fields.limit ? saveMax : kShownMaximum;
    fields.printFontSize = settings.PrintFontSize();
    fields.leftSpace = settings.LeftSpace();
    fields.topSpace = settings.PrintTopSpace();
    fields.bottomSpace = settings.PrintBtmSpace();
    fields.pageNumbers = settings.PrintPageNo();
    return fields;
}

void COptionDlg::Store(const CAppSettings& settings, const Fields& fields)
{
    settings.SetColumnNum(fields.columns);
    settings.SetLineSpace(fields.lineSpace);
    settings.SetRuledLine(fields.ruledLine);
    settings.SetTabColumn(fields.tabColumn);
    settings.SetKinsoku(fields.kinsoku);
    settings.SetTopKinsoku(fields.topKinsoku);
    settings.SetLastKinsoku(fields.lastKinsoku);
    settings.SetTopKigo(fields.topKigo);
    settings.SetFileDlg(fields.fileDialog);
    settings.SetPictureSize(fields.pictureSize);
    settings.SetSaveExt(fields.saveExt);
    settings.SetSaveQuality(fields.quality);
    settings.SetSaveOrignal(fields.saveOriginal);
    settings.SetSaveMax(fields.limit ? fields.saveMax : kNoLimit);
    settings.SetPrintFontSize(fields.printFontSize);
    settings.SetLeftSpace(fields.leftSpace);
    settings.SetPrintTopSpace(fields.topSpace);
    settings.SetPrintBtmSpace(fields.bottomSpace);
    settings.SetPrintPageNo(fields.pageNumbers);
}

bool COptionDlg::OnInitDialog()
{
    for (const Spin& spin : kSpins)
        SendDlgItemMessageW(Handle(), spin.id, UDM_SETRANGE32, spin.range.minimum, spin.range.maximum);
    ShowDependentFields();
    return CDialog::OnInitDialog();
}

void COptionDlg::DoDataExchange(CDataExchange& dx)
{
    Fields& f = m_fields;
    IntField(dx, IDC_OPT_COLUMNS, f.columns, kColumns);
    IntField(dx, IDC_OPT_LINE_SPACE, f.lineSpace, kLineSpace);
    IntField(dx, IDC_OPT_TAB, f.tabColumn, kTabColumn);
    dx.Check(IDC_OPT_RULED_LINE, f.ruledLine);
    dx.Check(IDC_OPT_KINSOKU, f.kinsoku);
    dx.Text(IDC_OPT_TOP_KINSOKU, f.topKinsoku);
    dx.Text(IDC_OPT_LAST_KINSOKU, f.lastKinsoku);
    dx.Text(IDC_OPT_TOP_KIGO, f.topKigo);
    int fileDialog = f.fileDialog;
    dx.Radio({IDC_OPT_FILEDLG_DEFAULT, IDC_OPT_FILEDLG_EXPLORER, IDC_OPT_FILEDLG_OLD}, fileDialog);
    if (!dx.Saving() || fileDialog >= 0)
        f.fileDialog = fileDialog;
    dx.Text(IDC_OPT_PICTURE_SIZE, f.pictureSize);
    int format = f.saveExt;
    dx.Radio({IDC_OPT_JPEG, IDC_OPT_BMP, IDC_OPT_PNG, IDC_OPT_TIF}, format);
    if (!dx.Saving() || format >= 0)
        f.saveExt = format;
    // A field that is hidden is neither read nor checked: the user cannot see or correct it, and
    // it keeps the value it had.
    if (!dx.Saving() || f.saveExt == 0)
        IntField(dx, IDC_OPT_QUALITY, f.quality, kQuality);
    dx.Check(IDC_OPT_SAVE_ORIGINAL, f.saveOriginal);
    dx.Check(IDC_OPT_LIMIT, f.limit);
    if (!dx.Saving() || f.limit)
        IntField(dx, IDC_OPT_SAVE_MAX, f.saveMax, kSaveMax);
    dx.Text(IDC_OPT_PRINT_FONT, f.printFontSize);
    IntField(dx, IDC_OPT_LEFT_SPACE, f.leftSpace, kLeftSpace);
    IntField(dx, IDC_OPT_TOP_SPACE, f.topSpace, kTopSpace);
    IntField(dx, IDC_OPT_BTM_SPACE, f.bottomSpace, kBottomSpace);
    dx.Check(IDC_OPT_PAGE_NO, f.pageNumbers);
}

void COptionDlg::Show(int id, bool shown) const
{
    if (HWND control = GetDlgItem(Handle(), id))
        ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

void COptionDlg::ShowDependentFields()
{
    for (int id : {IDC_OPT_SAVE_MAX_CAPTION, IDC_OPT_SAVE_MAX, IDC_OPT_SAVE_MAX_SPIN})
        Show(id, m_fields.limit);
    for (int id : {IDC_OPT_QUALITY_CAPTION, IDC_OPT_QUALITY})
        Show(id, m_fields.saveExt == 0);
}

void COptionDlg::OnFormatChosen(int format)
{
    m_fields.saveExt = format;
    ShowDependentFields();
}

void COptionDlg::OnLimitToggled()
{
    // Only the box is read: the other fields are checked when OK is pressed, not here.
    m_fields.limit = IsDlgButtonChecked(Handle(), IDC_OPT_LIMIT) == BST_CHECKED;
    ShowDependentFields();
}

void COptionDlg::OnReset()
{
    m_fields = Defaults();
    ShowDependentFields();
    UpdateData(false);
}

void COptionDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    Store(m_settings, m_fields);
    EndDialog(IDOK);
}

bool COptionDlg::OnCmdMsg(UINT id, CCmdUI* ui)
{
    if (ui == nullptr) {
        for (int format = 0; format < 4; ++format) {
            if (static_cast<int>(id) == kFormatButtons[format]) {
                OnFormatChosen(format);
                return true;
            }
        }
        if (id == IDC_OPT_LIMIT) {
            OnLimitToggled();
            return true;
        }
        if (id == IDC_OPT_RESET) {
            OnReset();
            return true;
        }
    }
    return CDialog::OnCmdMsg(id, ui);
}
