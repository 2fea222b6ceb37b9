#pragma once
// The display bitmaps of the memo's picture chapters, one per picture id, made from the
// picture's pixels and framing at the chapter's displayed size. A bitmap is made again when the
// picture or the displayed size changed; while the worker is busy with the pictures the one
// there is shown rather than waiting for it.
#include <windows.h>

#include <cstdint>
#include <map>

#include "doc/CDocListPainter.h"
#include "picture/CPicBitmap.h"

class CPicList;
class CPictChapter;

class CPicDisplayList {
public:
    explicit CPicDisplayList(const CPicList& pictures) : m_pictures(pictures) {}

    // What CDocListPainter::SetPictureDrawer takes; it draws through this list.
    CDocListPainter::PictureDrawer Drawer();
    // Draws the chapter's picture at rect (its whole displayed rectangle), clipped to the device.
    void Draw(HDC dc, const CPictChapter& chapter, const RECT& rect);
    // Makes the display bitmap of a picture now; false when it has no pixels or the system has
    // no room for the bitmap.
    bool Make(int pictureId, int width, int height);
    void Drop(int pictureId) { m_entries.erase(pictureId); }
    void Clear() { m_entries.clear(); }
    int Count() const { return static_cast<int>(m_entries.size()); }
    const CPicBitmap* Find(int pictureId) const;

private:
    struct Entry {
        CPicBitmap bitmap;
        std::uint64_t version = 0;
    };
    // Bitmaps of pictures that went.
    void Prune();

    const CPicList& m_pictures;
    std::map<int, Entry> m_entries;
};
