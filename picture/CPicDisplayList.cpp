#include "picture/CPicDisplayList.h"

#include "doc/CPictChapter.h"
#include "picture/CPicList.h"

CDocListPainter::PictureDrawer CPicDisplayList::Drawer()
{
    return [this](HDC dc, const CPictChapter& chapter, const RECT& rect) { Draw(dc, chapter, rect); };
}

const CPicBitmap* CPicDisplayList::Find(int pictureId) const
{
    const auto it = m_entries.find(pictureId);
    return it == m_entries.end() ? nullptr : &it->second.bitmap;
}

bool CPicDisplayList::Make(int pictureId, int width, int height)
{
    CPicList::UseLock use = m_pictures.Use();
    const CPicData* picture = m_pictures.FindById(pictureId);
    if (!picture)
        return false;
    Entry entry{CPicBitmap(*picture, picture->Frame(), width, height), picture->Version()};
    if (!entry.bitmap)
        return false;
    if (m_entries.size() > static_cast<std::size_t>(m_pictures.Count()) + 8)
        Prune();
    m_entries[pictureId] = std::move(entry);
    return true;
}

void CPicDisplayList::Prune()
{
    for (auto it = m_entries.begin(); it != m_entries.end();)
        it = m_pictures.HasId(it->first) ? std::next(it) : m_entries.erase(it);
}

void CPicDisplayList::Draw(HDC dc, const CPictChapter& chapter, const RECT& rect)
{
    const int id = chapter.PictureId();
    const int width = chapter.Width();
    const int height = chapter.Height();
    // While the worker is busy with the pictures the bitmap there is shown as it is.
    if (CPicList::UseLock use = m_pictures.TryUse()) {
        const CPicData* picture = m_pictures.FindById(id);
        const auto it = m_entries.find(id);
        const bool current = it != m_entries.end() && picture && it->second.version == picture->Version() &&
                             it->second.bitmap.Width() == width && it->second.bitmap.Height() == height;
        if (!current && picture)
            Make(id, width, height);
    }
    if (const CPicBitmap* bitmap = Find(id))
        bitmap->Draw(dc, rect);
}
