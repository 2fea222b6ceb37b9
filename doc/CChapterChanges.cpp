#include "doc/CChapterChanges.h"

#include "doc/CChapter.h"

#include <utility>

// A chapter's slot is its place in the one list it stands in (a live chapter stands only among
// the changed, a shadow only among the orphans), -1 when it is in neither.

void CChapterChanges::Add(std::vector<CChapter*>& list, CChapter& chapter, int& slot)
{
    if (slot >= 0)
        return;
    list.push_back(&chapter);
    slot = static_cast<int>(list.size()) - 1;
}

void CChapterChanges::Remove(std::vector<CChapter*>& list, std::size_t i)
{
    list[i]->m_changeSlot = -1;
    if (i + 1 != list.size()) {
        list[i] = list.back();
        list[i]->m_changeSlot = static_cast<int>(i);
    }
    list.pop_back();
}

void CChapterChanges::MarkChanged(CChapter& live)
{
    if (live.m_changeSlot < 0)
        Add(m_changed, live, live.m_changeSlot);
}

void CChapterChanges::MarkOrphan(CChapter& shadow)
{
    if (shadow.m_changeSlot >= 0 && m_changed.size() > static_cast<std::size_t>(shadow.m_changeSlot) &&
        m_changed[static_cast<std::size_t>(shadow.m_changeSlot)] == &shadow)
        Remove(m_changed, static_cast<std::size_t>(shadow.m_changeSlot));
    Add(m_orphans, shadow, shadow.m_changeSlot);
}

void CChapterChanges::Forget(CChapter& chapter)
{
    const int slot = chapter.m_changeSlot;
    if (slot < 0)
        return;
    const auto i = static_cast<std::size_t>(slot);
    if (i < m_changed.size() && m_changed[i] == &chapter)
        Remove(m_changed, i);
    else if (i < m_orphans.size() && m_orphans[i] == &chapter)
        Remove(m_orphans, i);
}

std::vector<CChapter*> CChapterChanges::Take(std::vector<CChapter*>& list)
{
    for (CChapter* chapter : list)
        chapter->m_changeSlot = -1;
    return std::exchange(list, {});
}

std::vector<CChapter*> CChapterChanges::TakeChanged()
{
    return Take(m_changed);
}

std::vector<CChapter*> CChapterChanges::TakeOrphans()
{
    return Take(m_orphans);
}
