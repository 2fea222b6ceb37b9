#include "picture/CEditPictures.h"

#include "doc/CDocList.h"
#include "doc/CDocListPainter.h"
#include "picture/CEditPict.h"
#include "picture/CPicJournalStore.h"
#include "picture/CPicEditSession.h"
#include "picture/CPicMemoStore.h"
#include "picture/CPicPaste.h"
#include "picture/CPicWorkerLink.h"
#include "text/CEditExp.h"

CEditPictures::CEditPictures(CVMemList& store) : m_pictures(store), m_display(m_pictures) {}

CEditPictures::~CEditPictures()
{
    Detach();
}

void CEditPictures::Attach(CEditExp& edit)
{
    m_edit = &edit;
    auto link = std::make_unique<CPicWorkerLink>(m_pictures, m_pictures.Store());
    m_link = link.get();
    edit.SetWorkerLink(std::move(link));
    edit.SetPictureHooks(this);
}

void CEditPictures::Connect()
{
    if (!m_edit || !m_edit->Handle())
        return;
    CDocList& doc = m_edit->Doc();
    doc.SetPictures(&m_pictures);
    m_edit->Painter().SetPictureDrawer(m_display.Drawer());
    m_loader = std::make_unique<CPicMemoLoader>(doc, m_pictures, *m_link);
    m_edit->SetPictureLoader(m_loader.get());
    m_session = std::make_unique<CPicEditSession>(doc, m_pictures, *m_link);
}

void CEditPictures::Detach()
{
    if (!m_edit)
        return;
    m_session.reset();
    if (m_edit->Handle() || m_loader) {
        m_edit->SetPictureLoader(nullptr);
        m_edit->Painter().SetPictureDrawer(nullptr);
        m_edit->Doc().SetPictures(nullptr);
    }
    m_loader.reset();
    m_edit->SetPictureHooks(nullptr);
    m_edit = nullptr;
    m_link = nullptr;
}

CWnd* CEditPictures::EditingWindow() const
{
    return m_session && m_session->Active() ? m_session->Window() : nullptr;
}

CWnd* CEditPictures::BeginEditing(int pictureId)
{
    if (!m_session || !m_edit)
        return nullptr;
    m_session->Begin(m_edit->Handle(), pictureId);
    return EditingWindow();
}

CWnd* CEditPictures::OnEditingMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_session)
        return nullptr;
    if (message == CEditPict::kEditCommand)
        m_session->OnEditCommand(static_cast<UINT>(wParam), lParam);
    else
        m_session->OnFramingChanged();
    return EditingWindow();
}

void CEditPictures::EndEditing()
{
    if (m_session)
        m_session->End();
}

void CEditPictures::Reposition()
{
    if (m_session && m_session->Active())
        m_session->Reposition();
}

bool CEditPictures::PasteClipboardPicture()
{
    if (!m_edit || !m_link || !CPicPaste::ClipboardHasBitmap())
        return false;
    return CPicPaste::FromClipboard(m_edit->Handle(), m_edit->Doc(), m_pictures, *m_link);
}

void CEditPictures::PrepareToRead(const std::u16string& path)
{
    if (m_loader)
        m_loader->PrepareFile(path);
}

std::unique_ptr<CMemoPictureStore> CEditPictures::StoreFor(const std::u16string& memoPath, const std::wstring& type,
                                                           int quality)
{
    if (!m_link)
        return nullptr;
    return std::make_unique<CPicMemoStore>(m_pictures, *m_link, memoPath, std::u16string(type.begin(), type.end()),
                                           quality);
}

std::unique_ptr<CMemoPictureStore> CEditPictures::JournalStoreFor(const std::u16string& pictureFolder)
{
    if (!m_link)
        return nullptr;
    return std::make_unique<CPicJournalStore>(m_pictures, *m_link, pictureFolder);
}

void CEditPictures::MemoNamesChanged(const std::u16string& folder, const std::u16string& title)
{
    if (m_link)
        m_link->SetMemoNames(folder, title);
}

void CEditPictures::ContentDropped()
{
    m_pictures.Files().Clear();
    m_display.Clear();
}
