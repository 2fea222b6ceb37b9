#include "doc/CTiledBackground.h"

CTiledBackground::~CTiledBackground()
{
    DeleteObject(m_brush);
    DeleteObject(m_bitmap);
}

std::unique_ptr<CTiledBackground> CTiledBackground::FromBitmap(HBITMAP bitmap)
{
    if (bitmap == nullptr)
        return nullptr;
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight == 0) {
        DeleteObject(bitmap);
        return nullptr;
    }
    HBRUSH brush = CreatePatternBrush(bitmap);
    if (brush == nullptr) {
        DeleteObject(bitmap);
        return nullptr;
    }
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    return std::unique_ptr<CTiledBackground>(new CTiledBackground(bitmap, brush, info.bmWidth, height));
}

std::unique_ptr<CTiledBackground> CTiledBackground::FromResource(HINSTANCE module, int resourceId)
{
    HANDLE image = LoadImageW(module, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    return FromBitmap(static_cast<HBITMAP>(image));
}

std::unique_ptr<CTiledBackground> CTiledBackground::FromBmpFile(const std::wstring& path)
{
    if (path.empty())
        return nullptr;
    HANDLE image = LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    return FromBitmap(static_cast<HBITMAP>(image));
}

void CTiledBackground::Fill(HDC dc, const RECT& band, int scrollY) const
{
    // The tile that would start at document row 0 starts scrollY pixels above the client top.
    const int shift = ((scrollY % m_height) + m_height) % m_height;
    POINT old{};
    SetBrushOrgEx(dc, 0, -shift, &old);
    FillRect(dc, &band, m_brush);
    SetBrushOrgEx(dc, old.x, old.y, nullptr);
}
