#include "picture/CPicPaste.h"

#include <cstring>
#include <vector>

#include "doc/CDocList.h"
#include "doc/CPictChapter.h"
#include "picture/CPicList.h"
#include "picture/CPicRequest.h"

namespace {

constexpr int kStoreQuality = 100;

// The bitmap's pixels as blue, green, red rows from the top, unpadded.
bool ReadPixels(HBITMAP bitmap, CPicData& picture)
{
    BITMAP header{};
    if (!bitmap || GetObjectW(bitmap, sizeof header, &header) == 0 || header.bmWidth <= 0 || header.bmHeight == 0)
        return false;
    const int width = header.bmWidth;
    const int height = header.bmHeight < 0 ? -header.bmHeight : header.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const std::size_t stride = (std::size_t(width) * 3 + 3) & ~std::size_t(3);
    std::vector<unsigned char> rows(stride * height);
    HDC screen = GetDC(nullptr);
    const int got = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), rows.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (got != height || !picture.SetPixels(3, width, height))
        return false;
    for (int y = 0; y < height; ++y)
        std::memcpy(picture.Bytes() + std::size_t(y) * width * 3, rows.data() + y * stride, std::size_t(width) * 3);
    return true;
}

}  // namespace

bool CPicPaste::ClipboardHasBitmap()
{
    return IsClipboardFormatAvailable(CF_BITMAP) != FALSE;
}

int CPicPaste::NewPictureId(const CDocList& doc, const CPicList& pictures)
{
    for (int id = 1;; ++id)
        if (!pictures.HasId(id) && pictures.Files().MayWrite(doc.PictureFileName(id), id))
            return id;
}

bool CPicPaste::FromClipboard(HWND owner, CDocList& doc, CPicList& pictures, CPicRequester& worker)
{
    if (!ClipboardHasBitmap() || !OpenClipboard(owner))
        return false;
    // The clipboard keeps its bitmap; a copy is taken before the clipboard is closed.
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(GetClipboardData(CF_BITMAP), IMAGE_BITMAP, 0, 0, 0));
    CloseClipboard();
    if (!copy)
        return false;
    const bool pasted = FromBitmap(copy, doc, pictures, worker);
    DeleteObject(copy);
    return pasted;
}

bool CPicPaste::FromBitmap(HBITMAP bitmap, CDocList& doc, CPicList& pictures, CPicRequester& worker)
{
    const int id = NewPictureId(doc, pictures);
    auto picture = std::make_unique<CPicData>(pictures.Store(), id, doc.PictureFileName(id));
    if (!ReadPixels(bitmap, *picture) || !pictures.Add(std::move(picture)))
        return false;
    // A memo without a folder yet has nowhere to keep the file; saving the memo stores it.
    if (!doc.Folder().empty()) {
        if (!worker.Send(CPicRequest::Store(id, doc.PictureFileName(id), kStoreQuality)) || !worker.Synchronise()) {
            pictures.RemoveById(id);
            return false;
        }
    }
    CPictChapter* chapter = doc.InsertPictureBeforeCaret(0, id, -1, -1, 0, 0, -1, -1, -1, -1);
    if (!chapter) {
        pictures.RemoveById(id);
        return false;
    }
    CPicList::UseLock use = pictures.Use();
    if (CPicData* added = pictures.FindById(id))
        added->SetFramingFromTag(chapter->Width(), chapter->Height(), 0, 0, -1, -1);
    return true;
}
