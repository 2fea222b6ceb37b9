#include "picture/CPicJournalStore.h"

#include <string>

#include "picture/CPicList.h"
#include "picture/CPicRequest.h"
#include "platform/FileSystem.h"

CPicJournalStore::CPicJournalStore(CPicList& pictures, CPicRequester& worker, std::u16string pictureFolder)
    : CPicMemoStore(pictures, worker, pictureFolder + u"journal.txt", u"png", 95),
      m_list(pictures),
      m_requests(worker),
      m_folder(std::move(pictureFolder))
{
}

bool CPicJournalStore::Store(int pictureId, std::u16string& srcPath)
{
    std::u16string origin;
    {
        CPicList::UseLock use = m_list.Use();
        const CPicData* picture = m_list.FindById(pictureId);
        if (!picture)
            return false;
        origin = picture->Origin();
    }
    if (!origin.empty() && vel::platform::ReadAttributes(origin).exists) {
        srcPath = origin;
        return true;
    }
    vel::platform::MakeDirectory(m_folder);
    const std::string number = std::to_string(pictureId);
    const std::u16string target = m_folder + u"picture_" + std::u16string(number.begin(), number.end()) + u".png";
    if (!m_requests.Send(CPicRequest::Store(pictureId, target, 95)))
        return false;
    srcPath = target;
    return true;
}
