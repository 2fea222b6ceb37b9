#include "picture/CPicMemoStore.h"

#include "app/CFileName.h"
#include "picture/CPicList.h"
#include "picture/CPicRequest.h"

CPicMemoStore::CPicMemoStore(CPicList& pictures, CPicRequester& worker, std::u16string memoPath, std::u16string ext,
                             int quality)
    : m_pictures(pictures), m_worker(worker), m_memoPath(std::move(memoPath)), m_ext(std::move(ext)), m_quality(quality)
{
}

std::u16string CPicMemoStore::Companion(int number) const
{
    return CFileName::Directory(m_memoPath) + CFileName::CompanionName(m_memoPath, number, m_ext);
}

std::u16string CPicMemoStore::TargetFor(int pictureId) const
{
    const std::u16string own = Companion(pictureId);
    if (m_pictures.Files().MayWrite(own, pictureId))
        return own;
    for (int number = 1;; ++number) {
        if (number == pictureId || m_pictures.HasId(number))
            continue;
        const std::u16string other = Companion(number);
        if (m_pictures.Files().MayWrite(other, pictureId))
            return other;
    }
}

bool CPicMemoStore::Store(int pictureId, std::u16string& srcPath)
{
    if (!m_pictures.HasId(pictureId))
        return false;
    const std::u16string target = TargetFor(pictureId);
    if (!m_worker.Send(CPicRequest::Store(pictureId, target, m_quality)) || !m_worker.Synchronise())
        return false;
    // Bare names: the reader finds them beside the memo wherever the memo folder moves.
    srcPath = CFileName::FileName(target);
    return true;
}

bool CPicMemoStore::Record(int pictureId, CMemoPictureRecord& record) const
{
    CPicList::UseLock use = m_pictures.Use();
    const CPicData* picture = m_pictures.FindById(pictureId);
    if (!picture)
        return false;
    const CPicFrame& frame = picture->Frame();
    record.displayWidth = frame.FrameWidth();
    record.displayHeight = frame.FrameHeight();
    record.visibleX = frame.ScrollX();
    record.visibleY = frame.ScrollY();
    record.visibleWidth = frame.ZoomedWidth();
    record.visibleHeight = frame.ZoomedHeight();
    record.pictureWidth = picture->Width();
    record.pictureHeight = picture->Height();
    return true;
}

std::u16string CPicMemoStore::ExistingPath(int pictureId) const
{
    CPicList::UseLock use = m_pictures.Use();
    const CPicData* picture = m_pictures.FindById(pictureId);
    if (!picture)
        return {};
    return !picture->Origin().empty() ? picture->Origin() : picture->FileName();
}
