#pragma once
// A picture tiled behind the text: the bitmap and the pattern brush that paints it. The brush
// origin is chosen per band so that the picture scrolls with the lines.
#include <windows.h>

#include <memory>
#include <string>

class CTiledBackground {
public:
    ~CTiledBackground();
    CTiledBackground(const CTiledBackground&) = delete;
    CTiledBackground& operator=(const CTiledBackground&) = delete;

    // Takes over the bitmap; none when it is null or has no size.
    static std::unique_ptr<CTiledBackground> FromBitmap(HBITMAP bitmap);
    // A bitmap resource of the module.
    static std::unique_ptr<CTiledBackground> FromResource(HINSTANCE module, int resourceId);
    // A BMP file; the picture loader of the pictures layer reads the other formats.
    static std::unique_ptr<CTiledBackground> FromBmpFile(const std::wstring& path);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Fills band (in dc's coordinates) with the picture as if it were tiled from the document's
    // top, scrolled up by scrollY pixels.
    void Fill(HDC dc, const RECT& band, int scrollY) const;

private:
    CTiledBackground(HBITMAP bitmap, HBRUSH brush, int width, int height)
        : m_bitmap(bitmap), m_brush(brush), m_width(width), m_height(height)
    {
    }

    HBITMAP m_bitmap;
    HBRUSH m_brush;
    int m_width;
    int m_height;
};
