// The view's looks and options: its background picture lists and what it hands the edit window
// from them, and the commands "オプション" and "表示オプション", whose results apply at once.
#include "doc/CVelTextView.h"

#include "app/CAppSettings.h"
#include "app/CFileName.h"
#include "app/COptionDlg.h"
#include "app/CViewOptionDlg.h"
#include "app/WideText.h"
#include "doc/CVelTextDoc.h"
#include "picture/CBackPictureList.h"

namespace {

constexpr char16_t kViewKind[] = u"baseview";
constexpr char16_t kGreyKind[] = u"graypic";

// The picture file that a stored setting stands for: a setting naming no shown picture gives the
// first one; an empty setting gives none (the built-in picture).
std::wstring ChosenFile(const CBackPictureList& pictures, const std::wstring& setting)
{
    if (setting.empty())
        return {};
    return ToWide(pictures.NameAt(pictures.IndexOf(ToU16(setting))));
}

}  // namespace

void CVelTextView::SetUpBackgroundLists()
{
    if (m_viewPictures)
        return;
    const std::u16string program = CBackPictureList::ProgramFolder();
    m_viewPictures = std::make_unique<CBackPictureList>();
    m_viewPictures->Init(program, CFileName::DefaultMemoBase(), kViewKind);
    m_greyPictures = std::make_unique<CBackPictureList>();
    m_greyPictures->Init(program, u"", kGreyKind);
    m_edit.SetBackgroundLoader([this](const std::wstring& path) { return LoadBackground(path); });
}

HBITMAP CVelTextView::LoadBackground(const std::wstring& path) const
{
    // The lists hold the decoded pictures already; a file they do not hold is decoded anew.
    const std::u16string file = ToU16(path);
    for (const CBackPictureList* pictures : {m_viewPictures.get(), m_greyPictures.get()}) {
        if (!pictures)
            continue;
        const CPictureIO* picture = pictures->GetAt(pictures->IndexOf(file));
        if (picture && picture->FileName() == file)
            return picture->CopyBitmap();
    }
    CPictureIO decoded;
    return decoded.Load(file) ? decoded.CopyBitmap() : nullptr;
}

void CVelTextView::ApplyBackgrounds()
{
    SetUpBackgroundLists();
    const CAppSettings* settings = Settings();
    if (!settings || !m_edit.Handle())
        return;
    const int type = settings->ReadMemoBase(CurrentMemoBase()).type;
    m_edit.SetBackgrounds(ChosenFile(*m_viewPictures, settings->ViewPic(type)),
                          ChosenFile(*m_greyPictures, settings->GrayPic()));
}

void CVelTextView::OnOptions()
{
    const CAppSettings* settings = Settings();
    if (!settings || Blocked())
        return;
    COptionDlg dialog(*settings, GetAncestor(Handle(), GA_ROOT));
    if (dialog.DoModal() != IDOK)
        return;
    const int type = settings->ReadMemoBase(CurrentMemoBase()).type;
    m_edit.ApplyOptions(EditSettingsFor(*settings, type));
    if (auto* document = dynamic_cast<CVelTextDoc*>(Document()))
        document->SetPictureChoices(settings->SaveExt(), settings->SaveQuality());
}

void CVelTextView::OnViewOptions()
{
    const CAppSettings* settings = Settings();
    if (!settings || m_edit.IsBusy())
        return;
    SetUpBackgroundLists();
    HWND frame = GetAncestor(Handle(), GA_ROOT);
    CViewOptionDlg dialog(*settings, m_cntlPictures, m_viewPictures.get(), frame);
    dialog.SetInitialType(settings->ReadMemoBase(CurrentMemoBase()).type);
    if (dialog.DoModal() != IDOK)
        return;
    ApplyBackgrounds();
    ApplyFonts();
    // The control bar's picture may have changed too.
    RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
