#include "picture/CPicChapterSync.h"

#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CPictChapter.h"
#include "picture/CPicList.h"

bool SyncPictureChapter(CDocList& doc, CPicList& pictures, int pictureId)
{
    CChapter* chapter = doc.ChapterByPictureId(pictureId);
    if (!chapter || !chapter->Picture())
        return false;
    CPicFrame frame;
    {
        CPicList::UseLock use = pictures.Use();
        const CPicData* picture = pictures.FindById(pictureId);
        if (!picture)
            return false;
        frame = picture->Frame();
    }
    const CDocList::Places places = doc.SavePlaces();
    const bool done = chapter->Picture()->SetPicture(
        pictureId, frame.FrameWidth(), frame.FrameHeight(), 0, 0,
        CPictChapter::Part{frame.ScrollX(), frame.ScrollY(), frame.ZoomedWidth(), frame.ZoomedHeight()});
    doc.RestorePlaces(places);
    return done;
}
