#pragma once
// The memo writer's picture side: each picture is stored beside the memo as its companion file
// <title>_<id>.<ext> by the picture worker, and its tag takes the picture's framing. A companion
// name that a tag of the open memo still needs for another picture is not used; the picture then
// gets the next number that is free.
#include <string>

#include "text/CMemoPictureStore.h"

class CPicList;
class CPicRequester;

class CPicMemoStore : public CMemoPictureStore {
public:
    // memoPath: the memo's text file; ext: "jpg", "bmp", "png", "tif" or "gif".
    CPicMemoStore(CPicList& pictures, CPicRequester& worker, std::u16string memoPath, std::u16string ext, int quality);

    bool Store(int pictureId, std::u16string& srcPath) override;
    bool Record(int pictureId, CMemoPictureRecord& record) const override;
    // The file a picture that could not be stored came from, for its tag.
    std::u16string ExistingPath(int pictureId) const override;

    // The file picture id is written to.
    std::u16string TargetFor(int pictureId) const;

private:
    std::u16string Companion(int number) const;

    CPicList& m_pictures;
    CPicRequester& m_worker;
    std::u16string m_memoPath;
    std::u16string m_ext;
    int m_quality;
};
