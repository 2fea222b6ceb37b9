#include "picture/CPicBitmap.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "picture/CPicData.h"
#include "picture/CPicScaler.h"

CPicBitmap::CPicBitmap(const CPicData& picture, const CPicFrame& frame, int width, int height)
{
    const int bpp = picture.BytesPerPixel();
    if (!picture.HasPixels() || width <= 0 || height <= 0 || (bpp != 1 && bpp != 3 && bpp != 4))
        return;
    std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* bmi = reinterpret_cast<BITMAPINFO*>(info.data());
    bmi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi->bmiHeader.biWidth = width;
    bmi->bmiHeader.biHeight = -height;  // top-down, as the picture's rows
    bmi->bmiHeader.biPlanes = 1;
    bmi->bmiHeader.biBitCount = static_cast<WORD>(bpp * 8);
    bmi->bmiHeader.biCompression = BI_RGB;
    if (bpp == 1) {
        bmi->bmiHeader.biClrUsed = 256;
        for (int i = 0; i < 256; ++i)
            bmi->bmiColors[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap)
            DeleteObject(bitmap);
        return;
    }
    const std::ptrdiff_t stride = (std::ptrdiff_t(width) * bpp + 3) & ~std::ptrdiff_t(3);
    auto* target = static_cast<unsigned char*>(bits);
    // Where the zoomed picture is smaller than its frame the rest stays white.
    std::memset(target, 0xFF, static_cast<std::size_t>(stride * height));
    const CPicFrame::Clip clip = frame.ImageClip();
    int shownWidth = width;
    int shownHeight = height;
    if (frame.FrameWidth() > 0 && frame.ZoomedWidth() < frame.FrameWidth())
        shownWidth = std::max(1, width * frame.ZoomedWidth() / frame.FrameWidth());
    if (frame.FrameHeight() > 0 && frame.ZoomedHeight() < frame.FrameHeight())
        shownHeight = std::max(1, height * frame.ZoomedHeight() / frame.FrameHeight());
    CPicScaleSource source{picture.Bytes(), std::ptrdiff_t(picture.Width()) * bpp, bpp, clip.x, clip.y, clip.width, clip.height};
    CPicScaler::Scale(source, CPicScaleTarget{target, stride, shownWidth, shownHeight});
    GdiFlush();
    m_bitmap = bitmap;
    m_width = width;
    m_height = height;
}

CPicBitmap::~CPicBitmap()
{
    if (m_bitmap)
        DeleteObject(m_bitmap);
}

CPicBitmap::CPicBitmap(CPicBitmap&& other) noexcept
    : m_bitmap(other.m_bitmap), m_width(other.m_width), m_height(other.m_height)
{
    other.m_bitmap = nullptr;
}

CPicBitmap& CPicBitmap::operator=(CPicBitmap&& other) noexcept
{
    if (this != &other) {
        if (m_bitmap)
            DeleteObject(m_bitmap);
        m_bitmap = other.m_bitmap;
        m_width = other.m_width;
        m_height = other.m_height;
        other.m_bitmap = nullptr;
    }
    return *this;
}

void CPicBitmap::Draw(HDC dc, const RECT& rect) const
{
    if (!m_bitmap)
        return;
    RECT clip{};
    if (GetClipBox(dc, &clip) == ERROR)
        return;
    RECT shown{rect.left, rect.top, rect.left + m_width, rect.top + m_height};
    RECT part{};
    if (!IntersectRect(&part, &shown, &clip))
        return;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return;
    HGDIOBJ old = SelectObject(memory, m_bitmap);
    BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, memory, part.left - shown.left,
           part.top - shown.top, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}
