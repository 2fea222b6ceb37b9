#pragma once
// The picture side of the crash journal: a picture's tag names the file that holds exactly its
// pixels; a picture in no file yet (pasted, or edited since) is written into the journal's own
// picture folder by the worker, in order with the other requests but without waiting for it.
#include <string>

#include "picture/CPicMemoStore.h"

class CPicJournalStore : public CPicMemoStore {
public:
    CPicJournalStore(CPicList& pictures, CPicRequester& worker, std::u16string pictureFolder);

    bool Store(int pictureId, std::u16string& srcPath) override;

private:
    CPicList& m_list;
    CPicRequester& m_requests;
    std::u16string m_folder;
};
