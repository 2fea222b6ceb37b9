#include "doc/CVelTextDoc.h"

#include "app/CAppSettings.h"
#include "app/CFileName.h"
#include "app/CMainFrame.h"
#include "app/CVelTextApp.h"
#include "app/Resource.h"
#include "app/WideText.h"
#include "doc/CDocList.h"
#include "doc/CDocumentTexts.h"
#include "doc/CSaveTypeDlg.h"
#include "doc/CVelTextView.h"
#include "framework/CCmdUI.h"
#include "framework/CWaitCursor.h"
#include "framework/CUserMessage.h"
#include "text/CMessageText.h"

namespace {

constexpr int kMemoBases = 11;

// The file-name checks tell the user through message boxes on the main window.
class MessageBoxSink : public CFileName::CMessageSink {
public:
    void Show(const std::u16string& text) override
    {
        const CVelTextApp* app = CVelTextApp::Current();
        CUserMessage::Show(app && app->MainWnd() ? app->MainWnd()->Handle() : nullptr, ToWide(text));
    }
};

bool IsPictureExtension(const std::u16string& path)
{
    const std::u16string extension = CFileName::ToLower(CFileName::Extension(path));
    return extension == u"bmp" || extension == u"jpg" || extension == u"tif" || extension == u"png" ||
           extension == u"gif";
}

}  // namespace

const CommandEntry<CVelTextDoc> CVelTextDoc::kCommandMap[] = {
    {ID_FILE_SAVE, &CVelTextDoc::OnFileSave, nullptr},
    {ID_FILE_SAVE_AS, &CVelTextDoc::OnFileSaveAs, nullptr},
};

CVelTextDoc::CVelTextDoc()
{
    if (const CAppSettings* settings = Settings())
        SetPictureChoices(settings->SaveExt(), settings->SaveQuality());
}

const CAppSettings* CVelTextDoc::Settings() const
{
    return CVelTextApp::Current();
}

CVelTextView* CVelTextDoc::View() const
{
    return dynamic_cast<CVelTextView*>(FirstView());
}

std::wstring CVelTextDoc::PictureTypeFor(int saveExt)
{
    switch (saveExt) {
    case 1: return L"bmp";
    case 2: return L"png";
    case 3: return L"tif";
    case 4: return L"gif";
    default: return L"jpg";
    }
}

void CVelTextDoc::SetPictureChoices(int saveExt, int quality)
{
    m_pictureType = PictureTypeFor(saveExt);
    m_pictureQuality = quality;
}

bool CVelTextDoc::OnCmdMsg(UINT id, CCmdUI* ui)
{
    return RouteCommandTo(*this, kCommandMap, id, ui) || CDocument::OnCmdMsg(id, ui);
}

bool CVelTextDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

void CVelTextDoc::DeleteContents()
{
    SaveMemo(true);
}

bool CVelTextDoc::OnOpenDocument(const std::wstring& path)
{
    m_filePath = path;
    if (!CDocument::OnOpenDocument(path))
        return false;
    // While a memo base is being listed the view opens the file at its initial update.
    const CVelTextApp* app = CVelTextApp::Current();
    if (app && app->ListReady() == 0)
        return true;
    return OpenMemo();
}

bool CVelTextDoc::OpenMemo()
{
    if (m_filePath.empty())
        return false;
    CVelTextView* view = View();
    if (!view)
        return false;
    const std::u16string path = ToU16(m_filePath);
    const CAppSettings* settings = Settings();
    bool inStore = false;
    if (settings) {
        for (int i = 0; i < kMemoBases; ++i) {
            const std::u16string base = CFileName::AddSeparator(ToU16(settings->ReadMemoBase(i).folder));
            if (base.size() <= 1 || !CFileName::IsInside(path, base))
                continue;
            view->SelectMemoBase(i);
            // A memo file stands directly in a memo folder of the base.
            const std::u16string relative = CFileName::RelativeDirectory(path, base);
            inStore = !relative.empty() && relative.find(u'\\') == relative.size() - 1 &&
                      CFileName::IsMemoFolder(CFileName::Directory(path));
            break;
        }
    }
    view->PrepareFolders(ToWide(CFileName::Directory(path)));
    CMainFrame* frame = CVelTextApp::Current() ? CVelTextApp::Current()->MainFrame() : nullptr;
    if (frame)
        frame->UpdateTitleFromPath(m_filePath);
    // Only a memo that is safely written back makes room for another one.
    CDocList& doc = view->EditWindow().Doc();
    if (!doc.Modified())
        view->DropContent();
    // Working copies of its pictures go beside this file under its name.
    view->EditWindow().SetMemoNames(CFileName::Directory(path), CFileName::Title(path));
    if (!view->ReadFile(m_filePath))
        return false;
    if (inStore) {
        view->SetMemoLocation(m_filePath);
    } else {
        // The file's pictures stay beside it.
        view->EditWindow().SetMemoNames(CFileName::Directory(path), CFileName::Title(path));
        if (!IsPictureExtension(path))
            SetPathName(m_filePath);
    }
    if (frame)
        frame->UpdateTitleFromPath(m_filePath);
    doc.SetModified(false);
    return true;
}

bool CVelTextDoc::WriteTo(const std::wstring& path, int saveType)
{
    CVelTextView* view = View();
    const CAppSettings* settings = Settings();
    if (!view)
        return false;
    const bool keepOriginal = settings && settings->SaveOrignal();
    const CMemoWriteResult result = view->WriteFile(path, keepOriginal, m_pictureType, m_pictureQuality, saveType);
    return result.status != CMemoWriteResult::kNotWritten;
}

void CVelTextDoc::ReportSaveFailure(const std::wstring& where) const
{
    const CVelTextApp* app = CVelTextApp::Current();
    CUserMessage::Show(app && app->MainWnd() ? app->MainWnd()->Handle() : nullptr,
                       ToWide(WithPath(document_texts::kSaveFailed, ToU16(where))));
}

void CVelTextDoc::OnFileSave()
{
    CWaitCursor wait;
    const std::wstring path = PathName();
    if (path.empty())
        return;
    MessageBoxSink messages;
    if (!CFileName::CheckSaveTargetWithCompanions(ToU16(path), messages))
        return;
    if (WriteTo(path, 0))
        NoteSavedOutside(0);
    else
        ReportSaveFailure(path);
}

void CVelTextDoc::NoteSavedOutside(int saveType)
{
    // A memo of the memo store is still written back there; one from elsewhere is saved now, as
    // long as nothing of it was left out.
    CVelTextView* view = View();
    if (view && view->MemoFileName().empty() && saveType == 0)
        view->EditWindow().Doc().SetModified(false);
}

void CVelTextDoc::OnFileSaveAs()
{
    CVelTextView* view = View();
    const CAppSettings* settings = Settings();
    if (!view || !settings)
        return;
    const std::wstring folder = settings->Path(CAppSettings::kSaveAsSection);
    CEditExp& edit = view->EditWindow();
    const bool imeWasOpen = edit.ImeOpen();
    if (imeWasOpen)
        edit.SetImeOpen(false);
    std::u16string chosen;
    const bool picked = CFileName::SaveFileDialog(ToU16(folder), ToU16(PathName()), chosen, document_texts::kSaveAsTitle,
                                                  document_texts::kTextFilter);
    if (picked) {
        MessageBoxSink messages;
        CSaveTypeDlg saveType(CVelTextApp::Current() && CVelTextApp::Current()->MainWnd()
                                  ? CVelTextApp::Current()->MainWnd()->Handle()
                                  : nullptr);
        if (CFileName::CheckSaveTargetWithCompanions(chosen, messages) && saveType.DoModal() == IDOK) {
            const std::wstring path = ToWide(chosen);
            if (WriteTo(path, saveType.Choice())) {
                NoteSavedOutside(saveType.Choice());
                SetPathName(path);
                if (CMainFrame* frame = CVelTextApp::Current()->MainFrame())
                    frame->UpdateTitleFromPath(path);
                settings->SetPath(ToWide(CFileName::Directory(chosen)), CAppSettings::kSaveAsSection);
            } else {
                ReportSaveFailure(path);
            }
        }
    }
    if (imeWasOpen)
        edit.SetImeOpen(true);
}
