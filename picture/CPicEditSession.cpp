#include "picture/CPicEditSession.h"

#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CPictChapter.h"
#include "picture/CEditPict.h"
#include "picture/CPicChapterSync.h"
#include "picture/CPicList.h"
#include "picture/CPicRequest.h"
#include "picture/CSizeChgDlg.h"

namespace {

bool AskWithDialog(HWND parent, int& width, int& height, int pictureWidth, int pictureHeight, int maxWidth)
{
    CSizeChgDlg dialog(parent);
    dialog.SetPicture(width, height, pictureWidth, pictureHeight, maxWidth);
    if (dialog.DoModal() != IDOK)
        return false;
    width = dialog.Width();
    height = dialog.Height();
    return true;
}

}  // namespace

CPicEditSession::CPicEditSession(CDocList& doc, CPicList& pictures, CPicRequester& worker)
    : m_doc(doc), m_pictures(pictures), m_worker(worker), m_askSize(AskWithDialog)
{
}

CPicEditSession::~CPicEditSession()
{
    End();
}

int CPicEditSession::PictureId() const
{
    return m_window ? m_window->PictureId() : -1;
}

int CPicEditSession::PictureAtCaret(const CDocList& doc)
{
    const CChapter* chapter = doc.ChapterAtLine(doc.CaretLine());
    return chapter && chapter->Picture() ? chapter->Picture()->PictureId() : -1;
}

RECT CPicEditSession::PictureRect() const
{
    const CDocList::Rect r = m_doc.PictureRect(PictureId());
    return RECT{r.x, r.y, r.x + r.width, r.y + r.height};
}

bool CPicEditSession::Begin(HWND editWindow, int pictureId)
{
    End();
    if (pictureId < 0 || !m_doc.ChapterByPictureId(pictureId) || !m_pictures.HasId(pictureId))
        return false;
    m_doc.TakeUndoCopy();
    if (!m_worker.Send(CPicRequest::TakeOver(pictureId)) || !m_worker.Synchronise())
        return false;
    m_editWindow = editWindow;
    auto window = std::make_unique<CEditPict>(m_pictures);
    const CDocList::Rect r = m_doc.PictureRect(pictureId);
    if (!window->Create(editWindow, pictureId, RECT{r.x, r.y, r.x + r.width, r.y + r.height})) {
        m_worker.Send(CPicRequest::Release(pictureId));
        return false;
    }
    m_window = std::move(window);
    return true;
}

void CPicEditSession::AfterEdit()
{
    const int id = PictureId();
    SyncPictureChapter(m_doc, m_pictures, id);
    {
        CPicList::UseLock use = m_pictures.Use();
        if (const CPicData* picture = m_pictures.FindById(id))
            m_window->SetFrame(picture->Frame());
    }
    Reposition();
    if (m_editWindow)
        InvalidateRect(m_editWindow, nullptr, FALSE);
}

void CPicEditSession::OnEditCommand(UINT command, LPARAM value)
{
    if (!m_window)
        return;
    const int id = PictureId();
    if (command == CEditPict::kEndEdit) {
        End();
        return;
    }
    if (command == CEditPict::kResize) {
        int width = 0;
        int height = 0;
        {
            CPicList::UseLock use = m_pictures.Use();
            const CPicData* picture = m_pictures.FindById(id);
            if (!picture)
                return;
            width = picture->Width();
            height = picture->Height();
        }
        const int pictureWidth = width;
        const int pictureHeight = height;
        if (!m_askSize(m_window->Handle(), width, height, pictureWidth, pictureHeight, kMaxWidth))
            return;
        if (width == pictureWidth && height == pictureHeight)
            return;
        OnFramingChanged();
        m_worker.Send(CPicRequest::Resize(id, width, height,
                                          CPicRequest::MethodFor(pictureWidth, pictureHeight, width, height)));
        m_worker.Synchronise();
        AfterEdit();
        return;
    }
    const int angle = CEditPict::RotationAngle(command, value);
    if (angle < 0)
        return;
    OnFramingChanged();
    m_worker.Send(CPicRequest::Rotate(id, angle));
    m_worker.Synchronise();
    AfterEdit();
}

void CPicEditSession::OnFramingChanged()
{
    if (!m_window)
        return;
    {
        CPicList::UseLock use = m_pictures.Use();
        CPicData* picture = m_pictures.FindById(PictureId());
        if (!picture || picture->Frame() == m_window->Frame())
            return;
        picture->CopyFraming(m_window->Frame());
    }
    SyncPictureChapter(m_doc, m_pictures, PictureId());
    if (m_editWindow)
        InvalidateRect(m_editWindow, nullptr, FALSE);
}

void CPicEditSession::Reposition()
{
    if (m_window)
        m_window->Place(PictureRect());
}

void CPicEditSession::End()
{
    if (!m_window)
        return;
    OnFramingChanged();
    const int id = PictureId();
    m_window.reset();
    m_worker.Send(CPicRequest::Release(id));
    if (m_editWindow) {
        InvalidateRect(m_editWindow, nullptr, FALSE);
        SetFocus(m_editWindow);
    }
}
