#pragma once
// The picture side of saving a memo: storing a picture's file beside the memo and reading the
// size of its record (the picture worker and the picture list).
#include <string>

struct CMemoPictureRecord {
    int displayWidth = 0;
    int displayHeight = 0;
    int visibleX = 0;      // visible part, in picture pixels; a width or height of 0 means unset
    int visibleY = 0;
    int visibleWidth = 0;
    int visibleHeight = 0;
    int pictureWidth = 0;  // the picture's own size
    int pictureHeight = 0;
};

class CMemoPictureStore {
public:
    virtual ~CMemoPictureStore() = default;
    // Writes the picture's file beside the memo; srcPath receives the path the tag names.
    virtual bool Store(int pictureId, std::u16string& srcPath) = 0;
    // The file the picture was read from or last stored to, for the tag of a picture whose Store
    // failed; empty when it never had one (its tag is then left out of the memo).
    virtual std::u16string ExistingPath(int /*pictureId*/) const { return {}; }
    // False when the picture list has no record for the id.
    virtual bool Record(int pictureId, CMemoPictureRecord& record) const = 0;
};
