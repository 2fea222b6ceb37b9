// The main frame's memo list: listing a memo base through the worker, moving to the previous,
// next or a new memo, and what the control bar asks of the frame.
#include "app/CMainFrame.h"

#include "app/CCntlPanel.h"
#include "app/CFileName.h"
#include "app/CMemoSteps.h"
#include "app/CVelTextApp.h"
#include "app/WideText.h"
#include "doc/CDocList.h"
#include "doc/CVelTextDoc.h"
#include "doc/CVelTextView.h"
#include "framework/CCmdUI.h"

CVelTextView* CMainFrame::TextView() const
{
    return dynamic_cast<CVelTextView*>(ActiveView());
}

bool CMainFrame::PictureEditing() const
{
    const CVelTextView* view = TextView();
    return view && view->EditWindow().IsEditingPicture();
}

bool CMainFrame::DocumentReady() const
{
    const CVelTextView* view = TextView();
    if (!view || !ActiveDocument() || !view->EditWindow().Handle())
        return false;
    const CEditExp& edit = view->EditWindow();
    return !edit.IsBusy() && !edit.IsEditingPicture() && !view->Printing();
}

void CMainFrame::ListMemoBase(const std::wstring& folder)
{
    if (m_dirList.Started())
        m_dirList.ListMemoBase(folder);
}

LRESULT CMainFrame::OnListingReplies(WPARAM, LPARAM)
{
    m_dirList.DrainReplies();
    return 0;
}

LRESULT CMainFrame::OnRefreshMemoList(WPARAM, LPARAM)
{
    // Another copy created, saved or removed a memo: the base is listed again, the memo shown
    // staying the current one.
    if (m_dirList.Started() && m_panel)
        m_dirList.ListMemoBase(m_panel->CurrentBaseFolder(), true);
    return 0;
}

bool CMainFrame::SaveShownMemo()
{
    auto* document = dynamic_cast<CVelTextDoc*>(ActiveDocument());
    CVelTextView* view = TextView();
    if (!document || !view)
        return true;
    const CVelTextDoc::SaveOutcome outcome = document->SaveMemo(false);
    if (outcome == CVelTextDoc::SaveOutcome::kFailed)
        return false;
    if (outcome == CVelTextDoc::SaveOutcome::kWrittenAsNew) {
        // The memo written anew belongs to the list of its base at once, as the memo shown.
        CVelTextApp* app = CVelTextApp::Current();
        const std::u16string folder = CFileName::ToLower(ToU16(view->MemoFolder()));
        const std::u16string base = m_panel ? CFileName::ToLower(ToU16(m_panel->CurrentBaseFolder())) : u"";
        if (app && !base.empty() && CFileName::IsInside(folder, base)) {
            CSortDirName& list = app->MemoList();
            const int at = list.Insert(std::make_unique<CDirData>(folder, CFileName::ToLower(ToU16(view->MemoFileName()))));
            if (at >= 0)
                list.SetCurrentIndex(at);
        }
    }
    return true;
}

bool CMainFrame::StepMemo(int direction)
{
    CVelTextApp* app = CVelTextApp::Current();
    if (!app || !SaveShownMemo())
        return false;
    const bool shown = CMemoSteps::Step(app->MemoList(), direction, [app](const std::u16string& path) {
        return app->LoadMemo(ToWide(path));
    });
    UpdateTitle();
    return shown;
}

bool CMainFrame::StartNewMemo()
{
    CVelTextApp* app = CVelTextApp::Current();
    if (!app || !SaveShownMemo())
        return false;
    app->MemoList().SetCurrentIndex(-1);
    const bool started = app->NewMemo();
    UpdateTitle();
    return started;
}

bool CMainFrame::ShowMemoWithPath(const std::wstring& path)
{
    CVelTextApp* app = CVelTextApp::Current();
    if (!app || !SaveShownMemo())
        return false;
    const std::u16string wide = ToU16(path);
    const std::optional<CDirData> entry = app->MemoList().SelectFolder(CFileName::Directory(wide));
    if (!entry || CFileName::ToLower(entry->FileName()) != CFileName::ToLower(CFileName::FileName(wide)))
        return false;
    if (!app->LoadMemo(path))
        return false;
    UpdateTitle();
    return true;
}

void CMainFrame::OnImeOff()
{
    if (CVelTextView* view = TextView())
        view->EditWindow().SetImeOpen(false);
}

void CMainFrame::OnUpdatePreviousMemo(CCmdUI& ui)
{
    const CVelTextApp* app = CVelTextApp::Current();
    ui.Enable(app && DocumentReady() &&
              CMemoSteps::CanStep(app->MemoList(), app->ListReady() != 0, CMemoSteps::kOlder));
}

void CMainFrame::OnUpdateNextMemo(CCmdUI& ui)
{
    const CVelTextApp* app = CVelTextApp::Current();
    ui.Enable(app && DocumentReady() &&
              CMemoSteps::CanStep(app->MemoList(), app->ListReady() != 0, CMemoSteps::kNewer));
}

void CMainFrame::OnUpdateNewMemo(CCmdUI& ui)
{
    ui.Enable(DocumentReady());
}

void CMainFrame::OnUpdateImeOff(CCmdUI& ui)
{
    ui.Enable(m_panel != nullptr && !PictureEditing());
}

// ---- What the control bar asks of the frame ----

void CMainFrame::SaveMemo(bool cleanUp)
{
    if (cleanUp) {
        if (auto* document = dynamic_cast<CVelTextDoc*>(ActiveDocument()))
            document->SaveMemo(true);
        return;
    }
    SaveShownMemo();
}

void CMainFrame::NewMemo()
{
    if (CVelTextApp* app = CVelTextApp::Current())
        app->NewMemo();
}

void CMainFrame::ApplyDisplayType()
{
    if (CVelTextView* view = TextView()) {
        view->ApplyBackgrounds();
        view->ApplyFonts();
    }
}

bool CMainFrame::SearchBackward(const std::u16string& text)
{
    CVelTextView* view = TextView();
    return view && view->SearchBackward(text);
}

bool CMainFrame::SearchForward(const std::u16string& text)
{
    CVelTextView* view = TextView();
    return view && view->SearchForward(text);
}

bool CMainFrame::Replace(const std::u16string& search, const std::u16string& replacement)
{
    CVelTextView* view = TextView();
    return view && view->Replace(search, replacement);
}
