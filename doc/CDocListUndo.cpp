// The one-level undo copy: a shadow of every chapter, renewed only for chapters whose change
// counter moved since the last copy, so a snapshot costs what changed.
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CDocPictures.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"

std::unique_ptr<CChapter> CDocList::CopyChapter(const CChapter& source)
{
    std::unique_ptr<CChapter> copy;
    if (const CTextChapter* text = source.Text()) {
        auto payload = std::make_unique<CTextChapter>();
        if (!payload->Assign(text->View()))
            return nullptr;
        copy = std::make_unique<CChapter>(*this, std::move(payload));
    } else {
        const CPictChapter* picture = source.Picture();
        int id = -1;
        if (m_pictures && picture->PictureId() >= 0) {
            const int newId = NextPictureId();
            if (m_pictures->Copy(picture->PictureId(), newId, PictureFileName(newId)))
                id = newId;
        }
        auto payload = std::make_unique<CPictChapter>(picture->Indent());
        payload->CopyFrom(*picture, id);
        copy = std::make_unique<CChapter>(*this, std::move(payload));
    }
    copy->SetPageBreak(source.PageBreak());
    return copy;
}

void CDocList::TakeUndoCopy()
{
    for (CListNode* node = m_undo.Head(); node;) {
        CListNode* here = node;
        if (!m_undo.StepForward(node)->LiveLink())
            m_undo.Remove(here);
    }
    CListNode* previousShadow = nullptr;
    for (CListNode* node = Chapters().Head(); node;) {
        CChapter* live = Chapters().StepForward(node);
        CChapter* shadow = live->ShadowLink();
        if (shadow && shadow->ChangeCount() == live->ChangeCount()) {
            previousShadow = shadow->Position();
            continue;
        }
        std::unique_ptr<CChapter> copy = CopyChapter(*live);
        if (!copy)
            continue;
        CChapter* raw = copy.get();
        CListNode* at = shadow ? shadow->Position() : previousShadow;
        CListNode* placed = at ? m_undo.InsertAfter(at, std::move(copy)) : m_undo.InsertHead(std::move(copy));
        if (!placed)
            continue;
        if (shadow)
            m_undo.Remove(shadow->Position());
        raw->SetPosition(placed);
        live->LinkShadow(raw);
        raw->SetChangeCount(live->ChangeCount());
        previousShadow = placed;
    }
    m_savedCaretLine = m_caretLine;
    m_savedCaretColumn = m_caretColumn;
    m_hasUndoCopy = true;
    SetUndoAvailable(false);
}

CListNode* CDocList::PlaceLiveCopy(const CChapter& shadow, CListNode* after)
{
    if (const CTextChapter* text = shadow.Text()) {
        CTextChapter* live = CreateTextChapter(after);
        if (!live)
            return nullptr;
        if (text->Length() > 0)
            live->Insert(0, text->View());
        live->Chapter()->SetPageBreak(shadow.PageBreak());
        return live->Chapter()->Position();
    }
    const CPictChapter* picture = shadow.Picture();
    CPictChapter* live = CreatePictChapter(after, picture->Indent());
    if (!live)
        return nullptr;
    if (m_pictures && picture->PictureId() >= 0) {
        const int newId = NextPictureId();
        if (m_pictures->Copy(picture->PictureId(), newId, PictureFileName(newId))) {
            CPictChapter::Part part = picture->VisiblePart();
            live->SetPicture(newId, picture->Width(), picture->Height(), 0, 0, part);
        }
    }
    live->Chapter()->SetPageBreak(shadow.PageBreak());
    return live->Chapter()->Position();
}

bool CDocList::Undo()
{
    if (!m_hasUndoCopy)
        return false;
    DropSelection();
    // Chapters made since the copy go.
    for (CListNode* node = Chapters().Head(); node;) {
        CListNode* here = node;
        if (!Chapters().StepForward(node)->ShadowLink())
            DeleteChapter(here);
    }
    // Changed chapters are replaced by their shadows, deleted ones come back, in shadow order.
    CListNode* previousLive = nullptr;
    for (CListNode* node = m_undo.Head(); node;) {
        CChapter* shadow = m_undo.StepForward(node);
        CChapter* live = shadow->LiveLink();
        if (live && live->ChangeCount() == shadow->ChangeCount()) {
            previousLive = live->Position();
            continue;
        }
        CListNode* placed = PlaceLiveCopy(*shadow, live ? live->Position() : previousLive);
        if (!placed)
            continue;
        if (live)
            DeleteChapter(live->Position());
        CChapter* fresh = Chapters().Item(placed);
        fresh->LinkShadow(shadow);
        fresh->SetChangeCount(shadow->ChangeCount());
        previousLive = placed;
    }
    if (!Chapters().Head())
        CreateTextChapter(nullptr);
    Dirty().Mark(0, -1);
    SetCaret(m_savedCaretLine, m_savedCaretColumn);
    SetModified(true);
    SetUndoAvailable(false);
    return true;
}
