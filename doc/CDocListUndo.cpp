// The one-level undo copy: a shadow of every chapter, renewed only for chapters whose change
// counter moved since the last copy. The document list keeps the chapters made, changed and
// deleted since then (CChapterChanges), so the copy and Undo look only at those; the full walks
// over every chapter give the same results and stay as the reference the tests check against.
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CDocPictures.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"

#include <algorithm>
#include <utility>
#include <vector>

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

namespace {

// The full walk's test for a live chapter that needs no new shadow.
bool HasCurrentShadow(const CChapter& live)
{
    const CChapter* shadow = live.ShadowLink();
    return shadow && shadow->ChangeCount() == live.ChangeCount();
}

// And for a shadow that Undo leaves alone.
bool HasCurrentLive(const CChapter& shadow)
{
    const CChapter* live = shadow.LiveLink();
    return live && live->ChangeCount() == shadow.ChangeCount();
}

// A listed change that the copy or Undo has dealt with: a live chapter with a current shadow, or
// a shadow that has a live chapter again.
bool Settled(const CChapter& chapter)
{
    return chapter.LiveLink() != nullptr || HasCurrentShadow(chapter);
}

template <class T>
void SortByPosition(std::vector<std::pair<int, T*>>& due)
{
    std::sort(due.begin(), due.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    due.erase(std::unique(due.begin(), due.end()), due.end());
}

}  // namespace

bool CDocList::ManyChanges()
{
    // Past a quarter of the memo one walk over everything is cheaper than finding each change.
    const std::size_t changes = Changes().ChangedCount() + Changes().OrphanCount();
    return changes > 64 && changes > static_cast<std::size_t>(Chapters().Count()) / 4;
}

CListNode* CDocList::RenewShadow(CChapter& live, CListNode* previousShadow)
{
    CChapter* shadow = live.ShadowLink();
    std::unique_ptr<CChapter> copy = CopyChapter(live);
    if (!copy)
        return nullptr;
    CChapter* raw = copy.get();
    CListNode* at = shadow ? shadow->Position() : previousShadow;
    CListNode* placed = at ? m_undo.InsertAfter(at, std::move(copy)) : m_undo.InsertHead(std::move(copy));
    if (!placed)
        return nullptr;
    if (shadow)
        m_undo.Remove(shadow->Position());
    raw->SetPosition(placed);
    live.LinkShadow(raw);
    raw->SetChangeCount(live.ChangeCount());
    return placed;
}

CListNode* CDocList::PreviousShadow(const CChapter& live) const
{
    for (CListNode* node = Chapters().Prev(live.Position()); node; node = Chapters().Prev(node)) {
        if (const CChapter* shadow = Chapters().Item(node)->ShadowLink())
            return shadow->Position();
    }
    return nullptr;
}

void CDocList::FinishUndoCopy()
{
    m_savedCaretLine = m_caretLine;
    m_savedCaretColumn = m_caretColumn;
    m_hasUndoCopy = true;
    SetUndoAvailable(false);
    Changes().DropSettled(Settled);
}

void CDocList::TakeUndoCopy()
{
    if (ManyChanges()) {
        TakeUndoCopyFullWalk();
        return;
    }
    for (CChapter* shadow : Changes().TakeOrphans()) {
        if (!shadow->LiveLink())
            m_undo.Remove(shadow->Position());
    }
    // In document order, as the full walk goes: each first shadow follows the shadow of the
    // chapter before, and picture copies take their ids in the same order.
    std::vector<std::pair<int, CChapter*>> due;
    for (CChapter* live : Changes().TakeChanged()) {
        if (HasCurrentShadow(*live))
            continue;
        const int at = Chapters().PositionOf(live->Position());
        if (at >= 0)
            due.emplace_back(at, live);
    }
    SortByPosition(due);
    for (const auto& [at, live] : due)
        RenewShadow(*live, live->ShadowLink() ? nullptr : PreviousShadow(*live));
    FinishUndoCopy();
}

void CDocList::TakeUndoCopyFullWalk()
{
    for (CListNode* node = m_undo.Head(); node;) {
        CListNode* here = node;
        if (!m_undo.StepForward(node)->LiveLink())
            m_undo.Remove(here);
    }
    CListNode* previousShadow = nullptr;
    for (CListNode* node = Chapters().Head(); node;) {
        CChapter* live = Chapters().StepForward(node);
        if (HasCurrentShadow(*live)) {
            previousShadow = live->ShadowLink()->Position();
            continue;
        }
        if (CListNode* placed = RenewShadow(*live, previousShadow))
            previousShadow = placed;
    }
    FinishUndoCopy();
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

CListNode* CDocList::RestoreFromShadow(CChapter& shadow, CListNode* previousLive)
{
    CChapter* live = shadow.LiveLink();
    CListNode* placed = PlaceLiveCopy(shadow, live ? live->Position() : previousLive);
    if (!placed)
        return nullptr;
    if (live)
        DeleteChapter(live->Position());
    CChapter* fresh = Chapters().Item(placed);
    fresh->LinkShadow(&shadow);
    fresh->SetChangeCount(shadow.ChangeCount());
    return placed;
}

CListNode* CDocList::PreviousLive(const CChapter& shadow) const
{
    for (CListNode* node = m_undo.Prev(shadow.Position()); node; node = m_undo.Prev(node)) {
        if (const CChapter* live = m_undo.Item(node)->LiveLink())
            return live->Position();
    }
    return nullptr;
}

void CDocList::FinishUndo()
{
    if (!Chapters().Head())
        CreateTextChapter(nullptr);
    Dirty().Mark(0, -1);
    SetCaret(m_savedCaretLine, m_savedCaretColumn);
    SetModified(true);
    SetUndoAvailable(false);
    Changes().DropSettled(Settled);
}

bool CDocList::Undo()
{
    if (!m_hasUndoCopy)
        return false;
    if (ManyChanges())
        return UndoFullWalk();
    DropSelection();
    std::vector<CChapter*> changed = Changes().TakeChanged();
    const std::vector<CChapter*> orphans = Changes().TakeOrphans();
    // Chapters made since the copy go.
    for (CChapter*& live : changed) {
        if (!live->ShadowLink()) {
            DeleteChapter(live->Position());
            live = nullptr;
        }
    }
    // Changed chapters are replaced by their shadows and deleted ones come back, in shadow order
    // as the full walk goes, so that picture copies take their ids in the same order.
    std::vector<std::pair<int, CChapter*>> due;
    auto consider = [&](CChapter* shadow) {
        if (HasCurrentLive(*shadow))
            return;
        const int at = m_undo.PositionOf(shadow->Position());
        if (at >= 0)
            due.emplace_back(at, shadow);
    };
    for (CChapter* live : changed) {
        if (live)
            consider(live->ShadowLink());
    }
    for (CChapter* shadow : orphans)
        consider(shadow);
    SortByPosition(due);
    for (const auto& [at, shadow] : due)
        RestoreFromShadow(*shadow, shadow->LiveLink() ? nullptr : PreviousLive(*shadow));
    FinishUndo();
    return true;
}

bool CDocList::UndoFullWalk()
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
        if (HasCurrentLive(*shadow)) {
            previousLive = shadow->LiveLink()->Position();
            continue;
        }
        if (CListNode* placed = RestoreFromShadow(*shadow, previousLive))
            previousLive = placed;
    }
    FinishUndo();
    return true;
}
