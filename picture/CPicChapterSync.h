#pragma once
// After a picture was resized, rotated or re-framed: the picture chapter showing it takes the
// picture's frame as its displayed size, and the memo is laid out around it again with the
// caret and the selection kept where they were. False when no chapter shows the picture.
class CDocList;
class CPicList;

bool SyncPictureChapter(CDocList& doc, CPicList& pictures, int pictureId);
