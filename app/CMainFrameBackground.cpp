// The main frame's control-bar background pictures ("basecntl"): the list made with the frame,
// and the bar's tiled background painted from it.
#include "app/CMainFrame.h"

#include "app/CCntlPanel.h"
#include "app/CFileName.h"
#include "app/CVelTextApp.h"
#include "app/WideText.h"
#include "doc/CVelTextView.h"
#include "picture/CBackPictureList.h"

void CMainFrame::SetUpControlBarPictures()
{
    m_cntlPictures = std::make_unique<CBackPictureList>();
    m_cntlPictures->Init(CBackPictureList::ProgramFolder(), CFileName::DefaultMemoBase(), u"basecntl");
}

void CMainFrame::ConnectControlBarPictures(bool connect)
{
    if (m_panel)
        m_panel->SetBackgroundPainter(connect ? this : nullptr);
    if (CVelTextView* view = TextView())
        view->SetControlBarPictures(connect ? m_cntlPictures.get() : nullptr);
}

bool CMainFrame::PaintTiled(HDC dc, const RECT& client, int displayType)
{
    const CVelTextApp* app = CVelTextApp::Current();
    if (!app || !m_cntlPictures)
        return false;
    // No picture chosen for the type: the bar keeps its plain face.
    const std::u16string chosen = ToU16(app->CntlPic(displayType));
    if (chosen.empty())
        return false;
    const CPictureIO* picture = m_cntlPictures->GetAt(m_cntlPictures->IndexOf(chosen));
    if (!picture || !picture->Bitmap())
        return false;
    CBackPictureList::PaintTiled(dc, client, *picture);
    return true;
}
